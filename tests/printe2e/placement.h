#pragma once

#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QLineEdit>
#include <QList>
#include <QPainter>
#include <QPointF>
#include <QPrinter>
#include <QString>
#include <QWidget>

#include <cmath>

#include "digitcelledit.h"
#include "fonts.h"
#include "paintercanvas.h"
#include "pdfwords.h"
#include "printtables.h"

// Where the direct print job must put each piece of text of a document, worked out here from
// the placement rules, independently of the print code:
//  - a text item at its control's left/top, an amount digit k at (left + width − k·step), the
//    sign "￥" at (left + width − (n + 1)·step + 6), all in screen pixels; step = point size +
//    digit spacing;
//  - pixels ÷ 3.78 = millimetres on the form, plus the calibration offsets X and Y;
//  - millimetres → device units at the printer's resolution (nearest unit), then x + two
//    average character widths of the item's font, y − the printer's top physical offset;
//  - device units are counted from the printable area's corner, so the position on the paper
//    is that corner + (x, y).
// Then compares them with the words pdftotext reads from the printed page.
namespace placement {

inline constexpr double kPixelsPerMm = 3.78;

struct Piece
{
    QString control;
    QString text;
    int pointSize = 0;
    int cell = -1;   // amounts: the cell of a digit, or n + 1 for the sign; -1 for a text item
    double xPt = 0;  // expected top-left corner on the paper, points
    double yPt = 0;
};

// The printer as the placement sees it.
struct Device
{
    int dpi = 0;
    QPointF origin;          // the printable area's corner on the paper, device units
    int physicalOffsetY = 0; // as the canvas reports it
    QPaintDevice *metrics = nullptr;
};

inline Device deviceOf(QPrinter *printer)
{
    Device device;
    device.dpi = printer->resolution();
    const QRectF page = printer->pageRect(QPrinter::DevicePixel);
    const QRectF paper = printer->paperRect(QPrinter::DevicePixel);
    device.origin = page.topLeft() - paper.topLeft();
    device.physicalOffsetY = qRound(page.top() - paper.top());
    device.metrics = printer;
    return device;
}

inline long long toDeviceUnits(double mm, int dpi)
{
    return std::llround(mm * dpi / 25.4);
}

inline int averageCharWidth(const QString &face, int pointSize, QPaintDevice *metrics)
{
    QFont font(face);
    font.setPointSize(pointSize);
    return QFontMetrics(font, metrics).averageCharWidth();
}

struct Options
{
    bool skipStub = false;
    int spacing = 0;      // the digit spacing, screen pixels
    int calibrationX = 0; // the offsets of the calibration file at print time, millimetres
    int calibrationY = 0;
};

inline QString shownText(const QWidget *control)
{
    if (auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    return {};
}

// The pieces the print of documentName must show, in printing order; empty texts are left
// out, since they leave no mark.
inline QList<Piece> expectedPieces(const QWidget *panel, const QString &documentName,
                                   const Options &options, const Device &device)
{
    QList<Piece> pieces;
    auto place = [&](Piece piece, const QString &face, double xPx, double yPx) {
        const double xMm = xPx / kPixelsPerMm + options.calibrationX;
        const double yMm = yPx / kPixelsPerMm + options.calibrationY;
        const long long dx = toDeviceUnits(xMm, device.dpi)
                             + 2LL * averageCharWidth(face, piece.pointSize, device.metrics);
        const long long dy = toDeviceUnits(yMm, device.dpi) - device.physicalOffsetY;
        piece.xPt = (device.origin.x() + dx) * 72.0 / device.dpi;
        piece.yPt = (device.origin.y() + dy) * 72.0 / device.dpi;
        pieces.append(piece);
    };
    for (const printtables::PrintItem &item : printtables::printItems(documentName)) {
        if (options.skipStub && item.area == printtables::Area::Stub)
            continue;
        const QString name = QString::fromUtf16(item.control);
        const auto *control = panel->findChild<const QWidget *>(name);
        if (!control)
            continue;
        const QString face = control->font().family();
        const int size = fontPointSize(control->font());
        if (item.kind == printtables::ItemKind::Text) {
            const QString text = shownText(control);
            if (!text.isEmpty())
                place({name, text, size}, face, control->x(), control->y());
            continue;
        }
        const auto *amount = qobject_cast<const DigitCellEdit *>(control);
        if (!amount || !amount->list())
            continue;
        const QVariant value = amount->list()->value(amount->column());
        if (value.isNull())
            continue; // an empty amount prints nothing for its item
        const QString formatted = QString::number(value.toDouble(), 'f', 2);
        const QString digits = formatted.left(formatted.size() - 3) + formatted.right(2);
        const int step = size + options.spacing;
        const int right = control->x() + control->width();
        const int n = int(digits.size());
        for (int k = 0; k < n; ++k)
            place({name, QString(digits[n - 1 - k]), size, k}, face, right - k * step, control->y());
        place({name, QStringLiteral("￥"), size, n + 1}, face, right - (n + 1) * step + 6,
              control->y());
    }
    return pieces;
}

// What pdftotext's box says about a text drawn with its top-left corner at a known point, per
// point size: yMin − top and xMin − left, in points.
using Calibration = QHash<int, QPointF>;

// Draws a known text at known device positions with the canvas of the print job on a PDF
// printer of the given resolution and reads it back.
inline Calibration calibrate(const QString &pdf, int dpi, const QString &face,
                             const QList<int> &sizes, QString *error)
{
    Calibration calibration;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setResolution(dpi);
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        QPainter painter(&printer);
        PainterCanvas canvas(painter);
        for (int i = 0; i < sizes.size(); ++i) {
            canvas.setFont(face, sizes[i]);
            canvas.textOut(dpi, dpi * (i + 1), QStringLiteral("国1"));
        }
    }
    const QList<pdfwords::Page> pages = pdfwords::readPages(pdf, error);
    if (pages.size() != 1 || pages[0].words.size() != sizes.size())
        return calibration;
    for (int i = 0; i < sizes.size(); ++i) {
        const pdfwords::Word &w = pages[0].words[i];
        calibration.insert(sizes[i], QPointF(w.xMin - 72.0, w.yMin - 72.0 * (i + 1)));
    }
    return calibration;
}

// Matches every piece with a word of the same text (the nearest one not taken yet) and checks
// its top-left corner within toleranceMm. Every word must belong to a piece. Returns the
// faults found, one per line; empty when the page is right.
inline QString compare(const QList<Piece> &pieces, const QList<pdfwords::Word> &words,
                       const Calibration &calibration, double toleranceMm,
                       double *worstMm = nullptr)
{
    QString faults;
    QList<bool> taken(words.size(), false);
    const double tolerance = toleranceMm * pdfwords::kPointsPerMm;
    double worst = 0;
    for (const Piece &piece : pieces) {
        const QPointF offset = calibration.value(piece.pointSize);
        const double x = piece.xPt + offset.x();
        const double y = piece.yPt + offset.y();
        int best = -1;
        double bestDistance = 0;
        for (int i = 0; i < words.size(); ++i) {
            if (taken[i] || words[i].text != piece.text)
                continue;
            const double d = std::hypot(words[i].xMin - x, words[i].yMin - y);
            if (best < 0 || d < bestDistance) {
                best = i;
                bestDistance = d;
            }
        }
        if (best < 0) {
            faults += QStringLiteral("%1 \"%2\": not on the page\n").arg(piece.control, piece.text);
            continue;
        }
        taken[best] = true;
        const double dx = words[best].xMin - x;
        const double dy = words[best].yMin - y;
        worst = std::max({worst, std::abs(dx), std::abs(dy)});
        if (std::abs(dx) > tolerance || std::abs(dy) > tolerance) {
            faults += QStringLiteral("%1 \"%2\": at (%3, %4) mm, expected (%5, %6) mm\n")
                          .arg(piece.control, piece.text)
                          .arg(words[best].xMin / pdfwords::kPointsPerMm, 0, 'f', 3)
                          .arg(words[best].yMin / pdfwords::kPointsPerMm, 0, 'f', 3)
                          .arg(x / pdfwords::kPointsPerMm, 0, 'f', 3)
                          .arg(y / pdfwords::kPointsPerMm, 0, 'f', 3);
        }
    }
    for (int i = 0; i < words.size(); ++i) {
        if (!taken[i])
            faults += QStringLiteral("unexpected word \"%1\" at (%2, %3) mm\n")
                          .arg(words[i].text)
                          .arg(words[i].xMin / pdfwords::kPointsPerMm, 0, 'f', 3)
                          .arg(words[i].yMin / pdfwords::kPointsPerMm, 0, 'f', 3);
    }
    if (worstMm)
        *worstMm = worst / pdfwords::kPointsPerMm;
    return faults;
}

} // namespace placement

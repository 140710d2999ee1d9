#include "reportrenderer.h"

#include <algorithm>

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPrinter>

#include "frxunits.h"
#include "report.h"

ReportRenderer::ReportRenderer(const Report &report) : m_report(report) {}

int ReportRenderer::pageCount() const
{
    return int(m_report.pages().size());
}

QPageLayout ReportRenderer::pageLayout(const ReportPage &page)
{
    const double shortSide = std::min(page.paperWidthMm, page.paperHeightMm);
    const double longSide = std::max(page.paperWidthMm, page.paperHeightMm);
    // The page's measures decide how the paper lies; a square page follows Orientation.
    const bool landscape = page.paperWidthMm == page.paperHeightMm ? page.landscape : page.paperWidthMm > page.paperHeightMm;
    const QPageSize size(QSizeF(shortSide, longSide), QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    return QPageLayout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0),
                       QPageLayout::Millimeter);
}

void ReportRenderer::drawObject(QPainter &painter, const TextObject &object, const QRectF &rect, double unitScale)
{
    const QString text = object.text();
    if (text.isEmpty())
        return;
    QFont font = object.font();
    // Point sizes are turned into pixels by the device's dots per inch; scale them so the
    // text has its size in engine units whatever the device says.
    const double deviceDpi = painter.device() ? painter.device()->logicalDpiY() : frx::kUnitsPerInch;
    font.setPointSizeF(font.pointSizeF() * frx::kUnitsPerInch * unitScale / deviceDpi);
    painter.setFont(font);
    painter.setPen(object.color());
    const Qt::Alignment alignment = object.alignment();

    const double spacing = object.charSpacing() * unitScale;
    if (spacing == 0) {
        painter.drawText(rect, int(alignment) | (object.wordWrap() ? Qt::TextWordWrap : 0), text);
        return;
    }

    // With character spacing every character is placed by itself; lines break only at line ends.
    const QFontMetricsF metrics(font, painter.device());
    const QStringList lines = text.split(u'\n');
    const double lineHeight = metrics.lineSpacing();
    double y = rect.top();
    if (alignment & Qt::AlignBottom)
        y = rect.bottom() - lineHeight * lines.size();
    else if (alignment & Qt::AlignVCenter)
        y = rect.top() + (rect.height() - lineHeight * lines.size()) / 2;
    for (const QString &line : lines) {
        QList<double> advances;
        double width = 0;
        for (qsizetype i = 0; i < line.size(); ++i) {
            const qsizetype len = line.at(i).isHighSurrogate() && i + 1 < line.size() ? 2 : 1;
            advances.append(metrics.horizontalAdvance(line.mid(i, len)));
            width += advances.last();
            i += len - 1;
        }
        if (!advances.isEmpty())
            width += spacing * double(advances.size() - 1);
        double x = rect.left();
        if (alignment & Qt::AlignRight)
            x = rect.right() - width;
        else if (alignment & Qt::AlignHCenter)
            x = rect.left() + (rect.width() - width) / 2;
        qsizetype at = 0;
        for (double advance : std::as_const(advances)) {
            const qsizetype len = line.at(at).isHighSurrogate() && at + 1 < line.size() ? 2 : 1;
            painter.drawText(QRectF(x, y, advance + 1, lineHeight), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                             line.mid(at, len));
            x += advance + spacing;
            at += len;
        }
        y += lineHeight;
    }
}

void ReportRenderer::renderPage(QPainter &painter, int index) const
{
    const ReportPage &page = m_report.pages().at(index);
    const double dpiX = painter.device()->logicalDpiX();
    const double dpiY = painter.device()->logicalDpiY();
    const QPointF origin(frx::mmToDots(page.leftMarginMm, dpiX), frx::mmToDots(page.topMarginMm, dpiY));
    painter.save();
    for (const TextObject *object : page.objects) {
        const QRectF r = object->rect();
        const QRectF device(origin.x() + frx::unitsToDots(r.x(), dpiX), origin.y() + frx::unitsToDots(r.y(), dpiY),
                            frx::unitsToDots(r.width(), dpiX), frx::unitsToDots(r.height(), dpiY));
        drawObject(painter, *object, device, dpiY / frx::kUnitsPerInch);
    }
    painter.restore();
}

QImage ReportRenderer::renderImage(int index, double dpi) const
{
    const ReportPage &page = m_report.pages().at(index);
    const QSize size(qRound(frx::mmToDots(page.paperWidthMm, dpi)), qRound(frx::mmToDots(page.paperHeightMm, dpi)));
    QImage image(size, QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    renderPage(painter, index);
    return image;
}

bool ReportRenderer::print(QPrinter &printer) const
{
    if (pageCount() == 0)
        return true;
    printer.setFullPage(true);
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QPageLayout first = pageLayout(m_report.pages().first());
    for (int i = 0; i < pageCount(); ++i) {
        if (i > 0) {
            const QPageLayout layout = pageLayout(m_report.pages().at(i));
            if (!layout.isEquivalentTo(first))
                printer.setPageLayout(layout);
            printer.newPage();
        }
        renderPage(painter, i);
    }
    painter.end();
    return true;
}

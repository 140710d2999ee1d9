#include "printjob.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

#include "canvas.h"
#include "currency.h"
#include "fonts.h"
#include "mprint.h"
#include "printtables.h"

namespace {

const QString kYuanSign = QStringLiteral("￥");

void setCanvasFont(PrintCanvas &canvas, const QWidget *control)
{
    // Face and size only: style, colour and character set stay on screen.
    canvas.setFont(control->font().family(), fontPointSize(control->font()));
}

void printText(PrintCanvas &canvas, const QString &folder, const QWidget *control)
{
    setCanvasFont(canvas, control);
    const QString text = controlText(control);
    TextOutMm(canvas, folder, text, kCalibrationFile, control->x() / kPixelsPerMm,
              control->y() / kPixelsPerMm);
}

void printAmount(PrintCanvas &canvas, const QString &folder, const QWidget *control,
                 const PrintJobOptions &options, const std::optional<double> &amount)
{
    // An empty amount prints nothing for this item; the rest of the form prints.
    if (!amount)
        return;
    setCanvasFont(canvas, control);
    const QString formatted = FormatAmount00(*amount);
    const QString digits = formatted.left(formatted.size() - 3) + formatted.right(2);
    const int step = fontPointSize(control->font()) + options.spacing;
    const int right = control->x() + control->width();
    const long double y = control->y() / kPixelsPerMm;
    const int n = int(digits.size());
    for (int k = 0; k < n; ++k) {
        TextOutMm(canvas, folder, QString(digits[n - 1 - k]), kCalibrationFile,
                  (right - k * step) / kPixelsPerMm, y);
    }
    // Cell n stays empty; the sign sits in the cell before it, 6 pixels in.
    TextOutMm(canvas, folder, kYuanSign, kCalibrationFile,
              (right - (n + 1) * step + 6) / kPixelsPerMm, y);
}

} // namespace

QString controlText(const QWidget *control)
{
    if (auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text();
    if (auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText();
    return {};
}

void printDocument(PrintCanvas &canvas, const QString &folder, const QString &documentName,
                   const QWidget *panel, const PrintJobOptions &options, const AmountOf &amountOf)
{
    for (const printtables::PrintItem &item : printtables::printItems(documentName)) {
        if (options.skipStub && item.area == printtables::Area::Stub)
            continue;
        const QString name = QString::fromUtf16(item.control);
        const auto *control = panel->findChild<const QWidget *>(name);
        if (!control)
            continue;
        if (item.kind == printtables::ItemKind::Amount)
            printAmount(canvas, folder, control, options, amountOf(name));
        else
            printText(canvas, folder, control);
    }
}

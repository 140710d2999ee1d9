#pragma once

#include <QString>

#include <functional>
#include <optional>

class PrintCanvas;
class QWidget;

// Screen pixels per millimetre on paper.
inline constexpr long double kPixelsPerMm = 3.78L;
// The calibration file every placement reads.
inline const QString kCalibrationFile = QStringLiteral("config.txt");

struct PrintJobOptions
{
    bool skipStub = false; // the stub items are not printed
    int spacing = 0;       // extra screen pixels between amount digits
};

// The record's amount behind an amount control; nothing when the amount is empty.
using AmountOf = std::function<std::optional<double>(const QString &control)>;

// Draws the items of the document on the canvas, each from its control under panel (found by
// name): text items at the control's top-left corner, amounts digit by digit from the
// control's right edge with "￥" in front. Every piece goes through TextOutMm.
void printDocument(PrintCanvas &canvas, const QString &folder, const QString &documentName,
                   const QWidget *panel, const PrintJobOptions &options, const AmountOf &amountOf);

// The text a control shows (edit or combo box).
QString controlText(const QWidget *control);

#pragma once

#include <QString>

class PrintCanvas;

// The calibration file and the millimetre placement of every printed text.
//
// The calibration file (`kCalibrationFileName` in the program folder) holds the two printer
// offsets in whole millimetres as GBK text with CR LF line ends: "X=<horizontal>" and
// "Y=<vertical>". The window mirrors its two offset edits into it at every change; the print
// job places every text through `TextOutMm`, which reads the file afresh each time.

inline constexpr const char16_t *kCalibrationFileName = u"config.txt";

// The text an offset edit must show before it is written: "0" for an empty edit, else the
// text unchanged.
QString calibrationText(const QString &editText);

// Creates or replaces folder + "config.txt" with "X=<xText>" CR LF "Y=<yText>" CR LF. The
// texts are written as they stand, numbers or not (empty edits are the window's to turn into
// "0" first). Throws AppError naming the file when it cannot be written.
void WriteCalibrationFile(const QString &folder, const QString &xText, const QString &yText);

// The two-stage rounding of a position scaled to 1/10000 of a device unit: first to a whole
// number of 1/10000 units, then to whole device units, each to the nearest integer with halves
// to the even neighbour. 34999.6 gives 4 (3.5 goes to 4), 25000 gives 2 (2.5 goes to 2).
// Throws AppError for a value out of range.
long long roundScaledPosition(long double scaled);

// Millimetres to device units at `dpi` dots per inch: mm × dpi × 10000 ÷ 25.4 in extended
// precision, in that order, then `roundScaledPosition`.
long long mmToDeviceUnits(long double mm, int dpi);

// Draws `text` with the canvas's current font (set by the caller) with its top-left corner at
// (x, y) millimetres on the form, shifted by the offsets of the calibration file
// folder + fileName:
//  - an existing file must hold an entry X and an entry Y (the first line whose part before
//    its first "=" is "X", resp. "Y", in either letter case; the value is the rest of the
//    line) with integer values; otherwise AppError "'<value>' is not a valid integer value"
//    (a missing entry names '') and nothing is drawn;
//  - a missing file is created with "X=0" and "Y=0" and zero offsets are used.
// Device position: dx = mmToDeviceUnits(x + X, LOGPIXELSX) + 2 × average character width;
// dy = mmToDeviceUnits(y + Y, LOGPIXELSY) − physical offset Y (y counts from the paper's top
// edge, x from the printable area's left edge). An empty text is passed to the canvas all the
// same; drawing it leaves no mark.
void TextOutMm(PrintCanvas &canvas, const QString &folder, const QString &text,
               const QString &fileName, long double x, long double y);

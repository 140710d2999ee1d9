#pragma once

// Registers the installed Song face as the substitute for the Windows faces the forms are
// designed with ("宋体", "新宋体", "SimSun", "NSimSun"), so every field shows and prints in it.
void installFontSubstitutes();

// The face that stands in for "宋体" on this machine.
inline constexpr const char16_t *kSongSubstitute = u"AR PL UMing CN";

class QFont;

// Field fonts carry pixel sizes on screen, as the forms are designed at 96 dots per inch; the
// layout files, the font dialog and the printer speak in points. These convert between the two
// the way the forms' designer did (rounded, 72 points per 96 pixels), so a size round-trips.
int fontPointSize(const QFont &font);
void setFontPointSize(QFont &font, int points);

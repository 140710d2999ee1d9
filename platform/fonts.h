#pragma once

// Registers the installed Song face as the substitute for the Windows faces the forms are
// designed with ("宋体", "新宋体", "SimSun", "NSimSun"), so every field shows and prints in it.
void installFontSubstitutes();

// The face that stands in for "宋体" on this machine.
inline constexpr const char16_t *kSongSubstitute = u"AR PL UMing CN";

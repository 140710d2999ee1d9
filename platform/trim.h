#pragma once

#include <QString>

// The text without the blanks and control characters (U+0000 to U+0020) at both ends, as the
// Windows forms trimmed: an ideographic blank or any other character above U+0020 stays.
inline QString trimBlanksAndControls(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 0x20)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 0x20)
        --end;
    return text.mid(begin, end - begin);
}

#include "fonts.h"

#include <QFont>
#include <QString>
#include <QStringList>

void installFontSubstitutes()
{
    const QString song = QString::fromUtf16(kSongSubstitute);
    for (const char16_t *face : {u"宋体", u"新宋体", u"SimSun", u"NSimSun"})
        QFont::insertSubstitutions(QString::fromUtf16(face), QStringList{song});
}

int fontPointSize(const QFont &font)
{
    if (font.pixelSize() > 0)
        return (font.pixelSize() * 72 + 48) / 96;
    return qRound(font.pointSizeF());
}

void setFontPointSize(QFont &font, int points)
{
    // Rounded half away from zero, like the designer's integer scaling.
    const int pixels = points >= 0 ? (points * 96 + 36) / 72 : -((-points * 96 + 36) / 72);
    font.setPixelSize(qMax(1, pixels));
}

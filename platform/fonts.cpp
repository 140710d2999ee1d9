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

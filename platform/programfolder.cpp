#include "programfolder.h"

#include <QCoreApplication>
#include <QDir>

QString programFolder()
{
    QString folder = QCoreApplication::applicationDirPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

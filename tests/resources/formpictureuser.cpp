#include "formpictureuser.h"

QImage loadFormPicture(const QString &fileName)
{
    return QImage(QStringLiteral(":/forms/") + fileName);
}

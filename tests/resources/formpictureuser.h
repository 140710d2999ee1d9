#pragma once

#include <QImage>
#include <QString>

// Stands for a library of the program that shows a form picture: the test reaches the pictures
// through a static library, as the program does.
QImage loadFormPicture(const QString &fileName);

#pragma once

#include <QPixmap>
#include <QSize>

// The pictures of the login window, drawn by the program itself so no image file has to ship.

// The light background laid under the login controls, carrying the product's title.
QPixmap loginBackground(const QSize &size);

// The square picture beside the login fields: a pattern in the look of a printed
// two-dimensional code. It encodes nothing; the modules come from a fixed sequence so the
// picture is the same at every start.
QPixmap makerCodePicture(int side);

#pragma once

#include <QList>
#include <QRectF>

#include "formfields.h"

class QImage;

// Draws a whole form picture onto image (of the form's size) and hands back the ink rectangles
// of its captions, for the check that no field covers one.
void drawDepositSlip(QImage *image, const FormSpec &form, QList<QRectF> *captions);
void drawCheque(QImage *image, const FormSpec &form, QList<QRectF> *captions);

// A caption in the gap between two horizontal positions, centred in the row of a field.
inline QRectF gap(int x1, int x2, const FormField &row)
{
    return QRectF(x1, row.top, x2 - x1, row.height);
}

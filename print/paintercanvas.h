#pragma once

#include "canvas.h"

class QPainter;

// The printer page as a canvas: draws with an active QPainter on its device (a QPrinter, a
// QPdfWriter, or an image in tests). The painter stays the caller's.
//
// Device units are the painter's own coordinates without any transform: pixels at the
// device's resolution (a high-resolution QPrinter: the printer's dots, 1200 per inch for the
// PDF output). On a paged device the painter's origin is the top-left corner of the printable
// area, not of the paper, just as the origin of a Windows printer device context; so
// physicalOffsetY is the top margin of the page layout (paperRect against pageRect), and 0
// when the device prints the full page (the origin is then the paper's corner) or is not
// paged at all.
class PainterCanvas : public PrintCanvas
{
public:
    explicit PainterCanvas(QPainter &painter);

    void setFont(const QString &face, int pointSize) override;
    void textOut(int x, int y, const QString &text) override;
    int logPixelsX() const override;
    int logPixelsY() const override;
    int physicalOffsetY() const override;
    int averageCharWidth() const override;

private:
    QPainter &m_painter;
};

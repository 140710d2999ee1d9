#pragma once

#include <QString>

// What the direct print job needs of a printer page: a font, text at device positions and the
// few device measures the millimetre placement works with. The real canvas draws with a
// QPainter (PainterCanvas); tests record the calls (RecordingCanvas).
class PrintCanvas
{
public:
    virtual ~PrintCanvas() = default;

    // Only the face and the size in points; every other font attribute stays the default.
    virtual void setFont(const QString &face, int pointSize) = 0;
    // Draws the text with the current font; (x, y) in device units is the top-left corner of
    // the text.
    virtual void textOut(int x, int y, const QString &text) = 0;

    // Logical dots per inch on each axis.
    virtual int logPixelsX() const = 0;
    virtual int logPixelsY() const = 0;
    // Device units from the paper's top edge to the top of the printable area.
    virtual int physicalOffsetY() const = 0;
    // Average character width of the current font, in device units.
    virtual int averageCharWidth() const = 0;
};

// The two canvases, so that one include gives the whole seam.
#include "paintercanvas.h"   // IWYU pragma: export
#include "recordingcanvas.h" // IWYU pragma: export

#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QRectF>
#include <QString>

class QImage;

// Paints the printed matter of a bank paper form onto a picture: rules, frames, captions and
// amount grids at exact pixel positions, in the red ink of the real forms.
//
// A line "at" x (or y) covers pixel column x (row y); thicker lines grow to the right and
// downwards, frames grow outwards, so a field that starts one pixel past a line is clear of it.
// Every caption drawn is remembered by its ink rectangle, so the caller can check that no
// field covers a caption.
class FormPainter
{
public:
    static QString songFamily() { return QStringLiteral("AR PL UMing CN"); }
    static QColor paper() { return QColor(255, 254, 250); }
    static QColor ink() { return QColor(206, 36, 44); }
    static QColor ruleInk(int thickness);

    explicit FormPainter(QImage *image);

    void fill(const QRect &area, const QColor &colour);
    void hline(int x1, int x2, int y, int thickness = 1);
    void vline(int x, int y1, int y2, int thickness = 1);
    void dashedVLine(int x, int y1, int y2, int dash, int gap);
    // A frame whose edges lie on the given lines and grow outwards by thickness - 1.
    void frame(int left, int top, int right, int bottom, int thickness);

    // Text in one line, placed in box by align; the whole line is scaled horizontally by
    // xScale (to fit a caption into a narrow gap between two fields).
    void text(const QRectF &box, const QString &s, int pixelSize, Qt::Alignment align,
              qreal xScale = 1.0, bool bold = false);
    // Characters spread evenly over the width of box, as the short captions of a form column.
    void spread(const QRectF &box, const QString &s, int pixelSize);
    // Characters from top to bottom, spread evenly over the height of box.
    void vertical(const QRectF &box, const QString &s, int pixelSize);

    // Amount grid of 11 cells headed 亿仟佰拾万仟佰拾元角分, its right edge on `right`; headings
    // between top and split, the digit cells between split and bottom.
    void amountGrid(int right, int cellWidth, int top, int split, int bottom, int headingSize);

    const QList<QRectF> &captionRects() const { return m_captions; }

private:
    QFont font(int pixelSize, bool bold = false) const;
    void glyphs(const QPointF &baseline, const QString &s, const QFont &f, qreal xScale);

    QPainter m_painter;
    QList<QRectF> m_captions;
};

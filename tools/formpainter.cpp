#include "formpainter.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QTransform>

namespace {

const QString kUnits = QStringLiteral("亿仟佰拾万仟佰拾元角分");

} // namespace

FormPainter::FormPainter(QImage *image) : m_painter(image)
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void FormPainter::fill(const QRect &area, const QColor &colour)
{
    m_painter.fillRect(area, colour);
}

QColor FormPainter::ruleInk(int thickness)
{
    // JPEG keeps colour at half resolution: a one-pixel rule shares its colour with the paper
    // beside it and darkens to brown. Drawn lighter, it reads as red again in the picture.
    return thickness > 1 ? ink() : QColor(238, 74, 78);
}

void FormPainter::hline(int x1, int x2, int y, int thickness)
{
    m_painter.fillRect(QRect(x1, y, x2 - x1 + 1, thickness), ruleInk(thickness));
}

void FormPainter::vline(int x, int y1, int y2, int thickness)
{
    m_painter.fillRect(QRect(x, y1, thickness, y2 - y1 + 1), ruleInk(thickness));
}

void FormPainter::dashedVLine(int x, int y1, int y2, int dash, int gap)
{
    for (int y = y1; y <= y2; y += dash + gap)
        vline(x, y, qMin(y + dash - 1, y2));
}

void FormPainter::frame(int left, int top, int right, int bottom, int thickness)
{
    const int out = thickness - 1;
    m_painter.fillRect(QRect(left - out, top - out, right - left + 1 + 2 * out, thickness), ink());
    m_painter.fillRect(QRect(left - out, bottom, right - left + 1 + 2 * out, thickness), ink());
    m_painter.fillRect(QRect(left - out, top - out, thickness, bottom - top + 1 + 2 * out), ink());
    m_painter.fillRect(QRect(right, top - out, thickness, bottom - top + 1 + 2 * out), ink());
}

QFont FormPainter::font(int pixelSize, bool bold) const
{
    QFont f(songFamily());
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    f.setStyleStrategy(QFont::PreferAntialias);
    return f;
}

void FormPainter::glyphs(const QPointF &baseline, const QString &s, const QFont &f, qreal xScale)
{
    const QFontMetricsF metrics(f);
    QRectF ink = metrics.tightBoundingRect(s);
    ink = QRectF(baseline.x() + ink.left() * xScale, baseline.y() + ink.top(), ink.width() * xScale,
                 ink.height());
    m_captions.append(ink);

    // The Song face has hairline strokes; a thin outline gives the captions the weight of
    // printed ink. The path is narrowed before it is outlined so narrowed text keeps its weight.
    QPainterPath path;
    path.addText(QPointF(0, 0), f, s);
    path = QTransform::fromTranslate(baseline.x(), baseline.y()).scale(xScale, 1.0).map(path);
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setPen(QPen(FormPainter::ink(), f.pixelSize() >= 14 ? 0.7 : 0.45));
    m_painter.setBrush(FormPainter::ink());
    m_painter.drawPath(path);
    m_painter.restore();
}

void FormPainter::text(const QRectF &box, const QString &s, int pixelSize, Qt::Alignment align,
                       qreal xScale, bool bold)
{
    const QFont f = font(pixelSize, bold);
    const QFontMetricsF metrics(f);
    const qreal width = metrics.horizontalAdvance(s) * xScale;
    qreal x = box.left();
    if (align & Qt::AlignHCenter)
        x = box.left() + (box.width() - width) / 2;
    else if (align & Qt::AlignRight)
        x = box.right() - width;
    // Every caption shares one baseline rule: the ink of a full CJK character is centred.
    const QRectF square = metrics.tightBoundingRect(QStringLiteral("国"));
    qreal y = box.center().y() - (square.top() + square.bottom()) / 2;
    if (align & Qt::AlignTop)
        y = box.top() - square.top();
    else if (align & Qt::AlignBottom)
        y = box.bottom() - square.bottom();
    glyphs(QPointF(qRound(x), qRound(y)), s, f, xScale);
}

void FormPainter::spread(const QRectF &box, const QString &s, int pixelSize)
{
    if (s.size() < 2) {
        text(box, s, pixelSize, Qt::AlignCenter);
        return;
    }
    const QFontMetricsF metrics(font(pixelSize));
    const qreal charWidth = metrics.horizontalAdvance(QStringLiteral("国"));
    const qreal step = (box.width() - charWidth) / (s.size() - 1);
    for (qsizetype i = 0; i < s.size(); ++i)
        text(QRectF(box.left() + i * step, box.top(), charWidth, box.height()), s.mid(i, 1),
             pixelSize, Qt::AlignCenter);
}

void FormPainter::vertical(const QRectF &box, const QString &s, int pixelSize)
{
    const qreal step = s.size() > 1 ? (box.height() - pixelSize) / (s.size() - 1) : 0;
    const qreal first = s.size() > 1 ? box.top() : box.center().y() - pixelSize / 2.0;
    for (qsizetype i = 0; i < s.size(); ++i)
        text(QRectF(box.left(), first + i * step, box.width(), pixelSize), s.mid(i, 1), pixelSize,
             Qt::AlignCenter);
}

void FormPainter::amountGrid(int right, int cellWidth, int top, int split, int bottom,
                             int headingSize)
{
    const int cells = int(kUnits.size());
    const int left = right - cells * cellWidth;
    hline(left, right, split);
    for (int k = 0; k <= cells; ++k)
        vline(right - k * cellWidth, top, bottom);
    // The line between 元 and 角 is drawn heavier, as on the printed forms, so the eye finds
    // the decimal point; it grows into the 元 cell, away from the cents.
    vline(right - 2 * cellWidth - 1, top, bottom);
    for (int i = 0; i < cells; ++i) {
        const int cellLeft = left + i * cellWidth;
        text(QRectF(cellLeft + 1, top + 1, cellWidth - 1, split - top - 1), kUnits.mid(i, 1),
             headingSize, Qt::AlignCenter);
    }
}

#include "paintercanvas.h"

#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>

namespace {

// Wide and high enough for any line of text; the text is never clipped anyway.
constexpr int kTextBox = 1000000;

} // namespace

PainterCanvas::PainterCanvas(QPainter &painter) : m_painter(painter) {}

void PainterCanvas::setFont(const QString &face, int pointSize)
{
    // A point size is resolved at the device's logical resolution by the painter.
    QFont font(face);
    if (pointSize > 0)
        font.setPointSize(pointSize);
    m_painter.setFont(font);
}

void PainterCanvas::textOut(int x, int y, const QString &text)
{
    // The rectangle's top-left corner is the text's top-left corner (drawText at a point
    // would put the baseline there).
    m_painter.drawText(QRect(x, y, kTextBox, kTextBox),
                       Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, text);
}

int PainterCanvas::logPixelsX() const
{
    return m_painter.device()->logicalDpiX();
}

int PainterCanvas::logPixelsY() const
{
    return m_painter.device()->logicalDpiY();
}

int PainterCanvas::physicalOffsetY() const
{
    QPaintDevice *device = m_painter.device();
    if (auto *printer = dynamic_cast<QPrinter *>(device)) {
        return qRound(printer->pageRect(QPrinter::DevicePixel).top()
                      - printer->paperRect(QPrinter::DevicePixel).top());
    }
    if (auto *paged = dynamic_cast<QPagedPaintDevice *>(device)) {
        const QPageLayout layout = paged->pageLayout();
        const int dpi = device->logicalDpiY();
        return layout.paintRectPixels(dpi).top() - layout.fullRectPixels(dpi).top();
    }
    return 0;
}

int PainterCanvas::averageCharWidth() const
{
    return QFontMetrics(m_painter.font(), m_painter.device()).averageCharWidth();
}

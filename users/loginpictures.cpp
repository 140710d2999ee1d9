#include "loginpictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cstdint>

namespace {

const QString kTitle = QStringLiteral("青禾进账单支票打印");

// A deterministic module pattern: a small linear congruential sequence.
class ModuleSequence
{
public:
    bool next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return (m_state >> 16) & 1u;
    }

private:
    std::uint32_t m_state = 0x5eed1234u;
};

void drawFinder(QPainter &p, int col, int row, int module, int margin)
{
    const int x = margin + col * module;
    const int y = margin + row * module;
    p.fillRect(x, y, 7 * module, 7 * module, Qt::black);
    p.fillRect(x + module, y + module, 5 * module, 5 * module, Qt::white);
    p.fillRect(x + 2 * module, y + 2 * module, 3 * module, 3 * module, Qt::black);
}

} // namespace

QPixmap loginBackground(const QSize &size)
{
    QPixmap pixmap(size);
    const int w = size.width();
    const int h = size.height();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // A pale sky fading into a pale green field.
    QLinearGradient sky(0, 0, 0, h);
    sky.setColorAt(0.0, QColor(0xea, 0xf4, 0xfb));
    sky.setColorAt(0.55, QColor(0xf7, 0xfb, 0xfd));
    sky.setColorAt(1.0, QColor(0xe6, 0xf3, 0xe4));
    p.fillRect(pixmap.rect(), sky);

    // A soft glow behind the title.
    QRadialGradient glow(QPointF(w * 0.62, h * 0.14), w * 0.45);
    glow.setColorAt(0.0, QColor(255, 255, 255, 200));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(pixmap.rect(), glow);

    // Two gentle waves along the bottom, in the green of young rice.
    QPainterPath back;
    back.moveTo(0, h * 0.80);
    back.cubicTo(w * 0.30, h * 0.70, w * 0.60, h * 0.92, w, h * 0.76);
    back.lineTo(w, h);
    back.lineTo(0, h);
    back.closeSubpath();
    p.fillPath(back, QColor(0xc8, 0xe6, 0xc4, 150));
    QPainterPath front;
    front.moveTo(0, h * 0.90);
    front.cubicTo(w * 0.35, h * 0.82, w * 0.65, h * 1.00, w, h * 0.86);
    front.lineTo(w, h);
    front.lineTo(0, h);
    front.closeSubpath();
    p.fillPath(front, QColor(0xa9, 0xd8, 0xa6, 150));

    // A few stalks of rice on the right, their ears bowing to the left.
    for (int i = 0; i < 5; ++i) {
        const qreal x = w - 72 + i * 12;
        const qreal base = h * 0.95;
        const qreal top = h * (0.58 + 0.04 * (i % 3));
        QPainterPath stalk;
        stalk.moveTo(x, base);
        stalk.quadTo(x + 1, (base + top) / 2, x + 6, top);
        p.setPen(QPen(QColor(0x7c, 0xb8, 0x78, 180), 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stalk);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xcf, 0xb4, 0x55, 200));
        for (int g = 0; g < 5; ++g) {
            const QPointF at(x + 6 - g * 2.2, top + 1 + g * 3.4);
            p.save();
            p.translate(at);
            p.rotate(-35 + g * 6);
            p.drawEllipse(QPointF(0, 0), 1.6, 3.0);
            p.restore();
        }
    }
    p.setBrush(Qt::NoBrush);

    // The title, with a faint shadow and a rule under it.
    QFont titleFont(QStringLiteral("新宋体"));
    titleFont.setPixelSize(30);
    titleFont.setBold(true);
    p.setFont(titleFont);
    const QRect titleRect(w - 310, 26, 280, 40);
    p.setPen(QColor(255, 255, 255, 220));
    p.drawText(titleRect.translated(1, 1), Qt::AlignRight | Qt::AlignVCenter, kTitle);
    p.setPen(QColor(0x1f, 0x5f, 0x8f));
    p.drawText(titleRect, Qt::AlignRight | Qt::AlignVCenter, kTitle);
    QLinearGradient rule(titleRect.left(), 0, titleRect.right(), 0);
    rule.setColorAt(0.0, QColor(0x1f, 0x5f, 0x8f, 0));
    rule.setColorAt(1.0, QColor(0x1f, 0x5f, 0x8f, 200));
    p.setPen(QPen(QBrush(rule), 1.5));
    p.drawLine(QPointF(titleRect.left() - 40, titleRect.bottom() + 4),
               QPointF(titleRect.right(), titleRect.bottom() + 4));
    p.end();
    return pixmap;
}

QPixmap makerCodePicture(int side)
{
    constexpr int kModules = 25;
    const int module = qMax(1, side / (kModules + 2));
    const int margin = (side - module * kModules) / 2;
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);

    auto inFinder = [](int c, int r) {
        auto near = [](int v, int start) { return v >= start && v < start + 8; };
        return (near(c, 0) && near(r, 0)) || (near(c, kModules - 8) && near(r, 0)) ||
               (near(c, 0) && near(r, kModules - 8));
    };
    ModuleSequence sequence;
    for (int r = 0; r < kModules; ++r) {
        for (int c = 0; c < kModules; ++c) {
            bool dark = false;
            if (inFinder(c, r))
                continue;
            if (r == 6 || c == 6)
                dark = (r + c) % 2 == 0; // the alternating timing lines
            else
                dark = sequence.next();
            if (dark)
                p.fillRect(margin + c * module, margin + r * module, module, module, Qt::black);
        }
    }
    drawFinder(p, 0, 0, module, margin);
    drawFinder(p, kModules - 7, 0, module, margin);
    drawFinder(p, 0, kModules - 7, module, margin);
    // The small alignment mark towards the fourth corner.
    const int a = kModules - 9;
    p.fillRect(margin + a * module, margin + a * module, 5 * module, 5 * module, Qt::black);
    p.fillRect(margin + (a + 1) * module, margin + (a + 1) * module, 3 * module, 3 * module, Qt::white);
    p.fillRect(margin + (a + 2) * module, margin + (a + 2) * module, module, module, Qt::black);
    p.end();
    return pixmap;
}

#include "designeritem.h"

#include <algorithm>

#include <QCursor>
#include <QGraphicsScene>
#include <QGraphicsSceneHoverEvent>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QPen>
#include <QStyleOptionGraphicsItem>

#include "reportrenderer.h"
#include "textobject.h"

namespace {
constexpr double kHandle = 6;  // size of the sizing corner, 1/96 inch
constexpr double kMinSide = 4; // smallest width and height a drag leaves
} // namespace

DesignerItem::DesignerItem(const TextObject *object, Moved moved, Resized resized)
    : m_object(object), m_moved(std::move(moved)), m_resized(std::move(resized))
{
    setFlags(ItemIsMovable | ItemIsSelectable);
    setAcceptHoverEvents(true);
    setRect(QRectF(QPointF(0, 0), object->rect().size()));
    setToolTip(object->name());
}

QString DesignerItem::name() const
{
    return m_object->name();
}

bool DesignerItem::onHandle(QPointF itemPos) const
{
    const QRectF r = rect();
    return itemPos.x() >= r.right() - kHandle && itemPos.y() >= r.bottom() - kHandle
           && itemPos.x() <= r.right() + 1 && itemPos.y() <= r.bottom() + 1;
}

void DesignerItem::paint(QPainter *painter, const QStyleOptionGraphicsItem *, QWidget *)
{
    const QRectF r = rect();
    if (isSelected())
        painter->fillRect(r, QColor(255, 240, 200));
    ReportRenderer::drawObject(*painter, *m_object, r, 1.0);
    if (m_object->text().isEmpty()) {
        // An empty object shows its name, so it can be found.
        QFont font = painter->font();
        font.setPointSizeF(6);
        painter->setFont(font);
        painter->setPen(Qt::gray);
        painter->drawText(r, Qt::AlignLeft | Qt::AlignTop, m_object->name());
    }
    QPen pen(isSelected() ? QColor(0, 90, 200) : QColor(150, 150, 150));
    pen.setCosmetic(true);
    pen.setStyle(isSelected() ? Qt::SolidLine : Qt::DashLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(r);
    if (isSelected())
        painter->fillRect(QRectF(r.right() - kHandle, r.bottom() - kHandle, kHandle, kHandle), QColor(0, 90, 200));
}

void DesignerItem::mousePressEvent(QGraphicsSceneMouseEvent *event)
{
    m_pressPos = pos();
    m_resizing = event->button() == Qt::LeftButton && onHandle(event->pos());
    if (m_resizing) {
        setSelected(true);
        event->accept();
        return;
    }
    // One object at a time: a drag moves only the object under the mouse.
    if (scene() && !isSelected())
        scene()->clearSelection();
    QGraphicsRectItem::mousePressEvent(event);
}

void DesignerItem::mouseMoveEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_resizing) {
        setRect(QRectF(0, 0, std::max(kMinSide, event->pos().x()), std::max(kMinSide, event->pos().y())));
        return;
    }
    QGraphicsRectItem::mouseMoveEvent(event);
}

void DesignerItem::mouseReleaseEvent(QGraphicsSceneMouseEvent *event)
{
    if (m_resizing) {
        m_resizing = false;
        if (m_resized)
            m_resized(this, rect().size());
        return;
    }
    QGraphicsRectItem::mouseReleaseEvent(event);
    if (pos() != m_pressPos && m_moved)
        m_moved(this, pos());
}

void DesignerItem::hoverMoveEvent(QGraphicsSceneHoverEvent *event)
{
    setCursor(onHandle(event->pos()) ? Qt::SizeFDiagCursor : Qt::SizeAllCursor);
    QGraphicsRectItem::hoverMoveEvent(event);
}

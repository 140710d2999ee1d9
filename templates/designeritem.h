#pragma once

#include <functional>

#include <QGraphicsRectItem>

class TextObject;

// The frame of one text object in the template designer: dragged with the mouse it moves,
// dragged by its bottom-right corner it changes size. The scene is in 1/96 inch; the item's
// position is the object's top-left corner on the paper. When a gesture ends the item reports
// the new place or size; the designer writes it into the report and places the item.
class DesignerItem : public QGraphicsRectItem
{
public:
    using Moved = std::function<void(DesignerItem *item, QPointF scenePos)>;
    using Resized = std::function<void(DesignerItem *item, QSizeF size)>;

    DesignerItem(const TextObject *object, Moved moved, Resized resized);

    const TextObject *object() const { return m_object; }
    QString name() const;

    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget) override;

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;
    void hoverMoveEvent(QGraphicsSceneHoverEvent *event) override;

private:
    bool onHandle(QPointF itemPos) const;

    const TextObject *m_object;
    Moved m_moved;
    Resized m_resized;
    bool m_resizing = false;
    QPointF m_pressPos;
};

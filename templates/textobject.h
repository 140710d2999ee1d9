#pragma once

#include <QColor>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>

class XmlTree;

// One named text object (TfrxMemoView) of a loaded report: a handle on its element in the
// report's XML tree. Reading decodes the attributes; writing sets them in the tree, so saving
// the report changes only what was written. Positions and sizes are in 1/96 inch relative to
// the printable area of the page (the page's margins); an object inside a band counts from
// the band's own Left/Top. Valid as long as the report it came from is not reloaded.
class TextObject
{
public:
    TextObject(XmlTree *tree, int element, QPointF containerOffset);

    int element() const { return m_element; }
    QString name() const;

    // The whole text, line breaks as "\n" (the file writes them as CR LF).
    QString text() const;
    void setText(const QString &text);

    QRectF rect() const;
    void setPos(QPointF topLeft);
    void setSize(QSizeF size);

    QFont font() const;
    // Name, size (points) and style; the colour and character set stay as they are.
    void setFont(const QFont &font);
    QColor color() const;

    Qt::Alignment alignment() const; // HAlign / VAlign; top left when absent
    bool wordWrap() const;           // WordWrap, on unless "False"
    double charSpacing() const;      // CharSpacing: extra room between characters, 1/96 inch

private:
    double number(const QString &attribute, double fallback) const;
    void setNumber(const QString &attribute, double value);
    QString textAttribute() const;

    XmlTree *m_tree;
    int m_element;
    QPointF m_offset;
};

// Numbers as the engine writes them: up to five decimals, no trailing zeros.
QString formatFrxNumber(double value);

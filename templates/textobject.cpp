#include "textobject.h"

#include <cmath>

#include <QFontInfo>
#include <QStringList>

#include "frxunits.h"
#include "xmltree.h"

namespace {

// Attributes that carry the text of a memo, the current one first; older files use the others.
const QStringList &textAttributes()
{
    static const QStringList names{QStringLiteral("Text"), QStringLiteral("Memo.UTF8W"),
                                   QStringLiteral("Memo.UTF8"), QStringLiteral("Memo.Text")};
    return names;
}

enum FontStyleBit { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };

int parseStyle(const QString &value)
{
    bool ok = false;
    const int bits = value.toInt(&ok);
    if (ok)
        return bits;
    int parsed = 0;
    if (value.contains(u"fsBold"))
        parsed |= fsBold;
    if (value.contains(u"fsItalic"))
        parsed |= fsItalic;
    if (value.contains(u"fsUnderline"))
        parsed |= fsUnderline;
    if (value.contains(u"fsStrikeOut"))
        parsed |= fsStrikeOut;
    return parsed;
}

// The engine's default font: Arial, 10 points, 13 pixels.
constexpr double kDefaultHeight = -13;
const char16_t *const kDefaultFace = u"Arial";

} // namespace

QString formatFrxNumber(double value)
{
    QString text = QString::number(value, 'f', 5);
    while (text.endsWith(u'0'))
        text.chop(1);
    if (text.endsWith(u'.'))
        text.chop(1);
    if (text == u"-0")
        text = QStringLiteral("0");
    return text;
}

TextObject::TextObject(XmlTree *tree, int element, QPointF containerOffset)
    : m_tree(tree), m_element(element), m_offset(containerOffset)
{
}

QString TextObject::name() const
{
    return m_tree->attribute(m_element, u"Name").value_or(QString());
}

QString TextObject::textAttribute() const
{
    for (const QString &name : textAttributes()) {
        if (m_tree->attribute(m_element, name))
            return name;
    }
    return textAttributes().first();
}

QString TextObject::text() const
{
    QString text = m_tree->attribute(m_element, textAttribute()).value_or(QString());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

void TextObject::setText(const QString &text)
{
    QString stored = text;
    stored.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    stored.replace(u'\r', u'\n');
    stored.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    m_tree->setAttribute(m_element, textAttribute(), stored);
}

double TextObject::number(const QString &attribute, double fallback) const
{
    const auto value = m_tree->attribute(m_element, attribute);
    if (!value)
        return fallback;
    bool ok = false;
    const double parsed = value->trimmed().toDouble(&ok);
    return ok && std::isfinite(parsed) ? parsed : fallback;
}

void TextObject::setNumber(const QString &attribute, double value)
{
    // An unchanged number keeps the file's own spelling of it.
    if (m_tree->attribute(m_element, attribute) && formatFrxNumber(number(attribute, 0)) == formatFrxNumber(value))
        return;
    m_tree->setAttribute(m_element, attribute, formatFrxNumber(value));
}

QRectF TextObject::rect() const
{
    return QRectF(m_offset.x() + number(QStringLiteral("Left"), 0), m_offset.y() + number(QStringLiteral("Top"), 0),
                  number(QStringLiteral("Width"), 0), number(QStringLiteral("Height"), 0));
}

void TextObject::setPos(QPointF topLeft)
{
    setNumber(QStringLiteral("Left"), topLeft.x() - m_offset.x());
    setNumber(QStringLiteral("Top"), topLeft.y() - m_offset.y());
}

void TextObject::setSize(QSizeF size)
{
    setNumber(QStringLiteral("Width"), std::max(0.0, size.width()));
    setNumber(QStringLiteral("Height"), std::max(0.0, size.height()));
}

QFont TextObject::font() const
{
    QFont font(m_tree->attribute(m_element, u"Font.Name").value_or(QString::fromUtf16(kDefaultFace)));
    const auto size = m_tree->attribute(m_element, u"Font.Size");
    double points = frx::heightToPoints(number(QStringLiteral("Font.Height"), kDefaultHeight));
    if (size) {
        bool ok = false;
        const double parsed = size->toDouble(&ok);
        if (ok && parsed > 0)
            points = parsed;
    }
    font.setPointSizeF(points > 0 ? points : frx::heightToPoints(kDefaultHeight));
    const int style = parseStyle(m_tree->attribute(m_element, u"Font.Style").value_or(QString()));
    font.setBold(style & fsBold);
    font.setItalic(style & fsItalic);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    return font;
}

void TextObject::setFont(const QFont &font)
{
    const QFont current = this->font();
    // The font dialog reports the face that stands in for the written one under its own
    // name; that is no change of face, and the file keeps the name it has.
    if (font.family() != current.family() && font.family() != QFontInfo(current).family())
        m_tree->setAttribute(m_element, QStringLiteral("Font.Name"), font.family());

    const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * 72.0 / 96.0;
    if (m_tree->attribute(m_element, u"Font.Size")) {
        setNumber(QStringLiteral("Font.Size"), points);
    } else {
        const double height = std::round(frx::pointsToHeight(points));
        if (height != std::round(frx::pointsToHeight(current.pointSizeF())) || !m_tree->attribute(m_element, u"Font.Height"))
            setNumber(QStringLiteral("Font.Height"), height);
    }

    const int style = (font.bold() ? fsBold : 0) | (font.italic() ? fsItalic : 0)
                      | (font.underline() ? fsUnderline : 0) | (font.strikeOut() ? fsStrikeOut : 0);
    const auto written = m_tree->attribute(m_element, u"Font.Style");
    if (parseStyle(written.value_or(QString())) != style)
        m_tree->setAttribute(m_element, QStringLiteral("Font.Style"), QString::number(style));
}

QColor TextObject::color() const
{
    const double value = number(QStringLiteral("Font.Color"), 0);
    if (value < 0 || value > 0xFFFFFF)
        return Qt::black; // system colours: the window text colour
    const auto bgr = static_cast<unsigned>(value);
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

Qt::Alignment TextObject::alignment() const
{
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop;
    const QString h = m_tree->attribute(m_element, u"HAlign").value_or(QString());
    if (h == u"haRight")
        alignment = (alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignRight;
    else if (h == u"haCenter")
        alignment = (alignment & ~Qt::AlignHorizontal_Mask) | Qt::AlignHCenter;
    const QString v = m_tree->attribute(m_element, u"VAlign").value_or(QString());
    if (v == u"vaBottom")
        alignment = (alignment & ~Qt::AlignVertical_Mask) | Qt::AlignBottom;
    else if (v == u"vaCenter")
        alignment = (alignment & ~Qt::AlignVertical_Mask) | Qt::AlignVCenter;
    return alignment;
}

bool TextObject::wordWrap() const
{
    return m_tree->attribute(m_element, u"WordWrap").value_or(QString()).compare(u"False", Qt::CaseInsensitive) != 0;
}

double TextObject::charSpacing() const
{
    return number(QStringLiteral("CharSpacing"), 0);
}

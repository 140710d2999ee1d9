#include "xmltree.h"

#include <algorithm>
#include <utility>

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isNameEnd(char c)
{
    return isSpace(c) || c == '/' || c == '>' || c == '=' || c == '<';
}

QString lineText(const QByteArray &bytes, qsizetype offset)
{
    const qsizetype line = std::count(bytes.cbegin(), bytes.cbegin() + std::min(offset, bytes.size()), '\n') + 1;
    return QStringLiteral("第 %1 行").arg(line);
}

// Replaces the character and entity references of an attribute value. Unknown named entities
// are kept as written: they may come from a document type we do not read.
QString resolveReferences(const QString &raw)
{
    QString out;
    out.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c != u'&') {
            out.append(c);
            continue;
        }
        const qsizetype semi = raw.indexOf(u';', i + 1);
        if (semi < 0 || semi - i > 12) {
            out.append(c);
            continue;
        }
        const QStringView name = QStringView(raw).mid(i + 1, semi - i - 1);
        char32_t code = 0;
        bool ok = true;
        if (name == u"lt")
            code = u'<';
        else if (name == u"gt")
            code = u'>';
        else if (name == u"amp")
            code = u'&';
        else if (name == u"quot")
            code = u'"';
        else if (name == u"apos")
            code = u'\'';
        else if (name.startsWith(u"#x") || name.startsWith(u"#X"))
            code = name.mid(2).toUInt(&ok, 16);
        else if (name.startsWith(u'#'))
            code = name.mid(1).toUInt(&ok, 10);
        else
            ok = false;
        if (!ok || code == 0 || code > 0x10FFFF) {
            out.append(c);
            continue;
        }
        out.append(QString::fromUcs4(&code, 1));
        i = semi;
    }
    return out;
}

} // namespace

void XmlTree::clear()
{
    m_bytes.clear();
    m_encoding = "UTF-8";
    m_elements.clear();
}

std::optional<QString> XmlTree::parse(const QByteArray &bytes)
{
    clear();
    m_bytes = bytes;
    const char *d = m_bytes.constData();
    const qsizetype n = m_bytes.size();
    qsizetype pos = 0;
    if (m_bytes.startsWith("\xEF\xBB\xBF"))
        pos = 3;
    else if (m_bytes.startsWith("\xFF\xFE") || m_bytes.startsWith("\xFE\xFF")) {
        clear();
        return QStringLiteral("不支持 UTF-16 编码的模板文件");
    }

    auto fail = [&](const QString &what, qsizetype at) -> std::optional<QString> {
        const QString text = what + u'（' + lineText(bytes, at) + u'）';
        clear();
        return text;
    };

    QList<int> open; // indices of the elements whose end tag is still to come
    std::optional<QStringDecoder> decoder;

    auto decode = [&](qsizetype begin, qsizetype end) -> QString {
        const QByteArray raw = QByteArray::fromRawData(d + begin, end - begin);
        if (!decoder)
            return QString::fromUtf8(raw);
        return decoder->decode(raw);
    };

    while (pos < n) {
        if (d[pos] != '<') {
            const qsizetype next = m_bytes.indexOf('<', pos);
            pos = next < 0 ? n : next;
            continue;
        }
        const qsizetype start = pos;
        if (m_bytes.mid(pos, 2) == "<?") {
            const qsizetype end = m_bytes.indexOf("?>", pos + 2);
            if (end < 0)
                return fail(QStringLiteral("处理指令没有结束"), start);
            const QByteArray pi = m_bytes.mid(pos + 2, end - pos - 2);
            if (pi.startsWith("xml") && (pi.size() == 3 || isSpace(pi.at(3)))) {
                const qsizetype at = pi.indexOf("encoding");
                if (at >= 0) {
                    qsizetype q = pi.indexOf('=', at);
                    while (q >= 0 && q + 1 < pi.size() && isSpace(pi.at(q + 1)))
                        ++q;
                    if (q >= 0 && q + 1 < pi.size() && (pi.at(q + 1) == '"' || pi.at(q + 1) == '\'')) {
                        const char quote = pi.at(q + 1);
                        const qsizetype close = pi.indexOf(quote, q + 2);
                        if (close > 0)
                            m_encoding = pi.mid(q + 2, close - q - 2).trimmed().toUpper();
                    }
                }
                if (m_encoding != "UTF-8" && m_encoding != "UTF8") {
                    decoder.emplace(m_encoding.constData());
                    if (!decoder->isValid())
                        return fail(QStringLiteral("不支持的编码 %1").arg(QString::fromLatin1(m_encoding)), start);
                }
            }
            pos = end + 2;
            continue;
        }
        if (m_bytes.mid(pos, 4) == "<!--") {
            const qsizetype end = m_bytes.indexOf("-->", pos + 4);
            if (end < 0)
                return fail(QStringLiteral("注释没有结束"), start);
            pos = end + 3;
            continue;
        }
        if (m_bytes.mid(pos, 9) == "<![CDATA[") {
            const qsizetype end = m_bytes.indexOf("]]>", pos + 9);
            if (end < 0)
                return fail(QStringLiteral("CDATA 段没有结束"), start);
            pos = end + 3;
            continue;
        }
        if (m_bytes.mid(pos, 2) == "<!") {
            // A document type declaration, possibly with an internal subset in brackets.
            int depth = 0;
            qsizetype i = pos + 2;
            char quote = 0;
            for (; i < n; ++i) {
                const char c = d[i];
                if (quote) {
                    if (c == quote)
                        quote = 0;
                } else if (c == '"' || c == '\'') {
                    quote = c;
                } else if (c == '[') {
                    ++depth;
                } else if (c == ']') {
                    --depth;
                } else if (c == '>' && depth <= 0) {
                    break;
                }
            }
            if (i >= n)
                return fail(QStringLiteral("文档类型声明没有结束"), start);
            pos = i + 1;
            continue;
        }
        if (m_bytes.mid(pos, 2) == "</") {
            qsizetype i = pos + 2;
            while (i < n && !isNameEnd(d[i]))
                ++i;
            const QString name = QString::fromUtf8(d + pos + 2, i - pos - 2);
            while (i < n && isSpace(d[i]))
                ++i;
            if (i >= n || d[i] != '>')
                return fail(QStringLiteral("结束标记 </%1> 不完整").arg(name), start);
            if (open.isEmpty() || m_elements.at(open.last()).name != name)
                return fail(QStringLiteral("结束标记 </%1> 没有对应的开始标记").arg(name), start);
            open.removeLast();
            pos = i + 1;
            continue;
        }

        // A start tag.
        qsizetype i = pos + 1;
        while (i < n && !isNameEnd(d[i]))
            ++i;
        if (i == pos + 1)
            return fail(QStringLiteral("标记没有名称"), start);
        Element element;
        element.name = QString::fromUtf8(d + pos + 1, i - pos - 1);
        element.insertAt = i;
        bool selfClosing = false;
        for (;;) {
            while (i < n && isSpace(d[i]))
                ++i;
            if (i >= n)
                return fail(QStringLiteral("标记 <%1> 没有结束").arg(element.name), start);
            if (d[i] == '>') {
                ++i;
                break;
            }
            if (d[i] == '/') {
                if (i + 1 >= n || d[i + 1] != '>')
                    return fail(QStringLiteral("标记 <%1> 不完整").arg(element.name), start);
                selfClosing = true;
                i += 2;
                break;
            }
            const qsizetype nameBegin = i;
            while (i < n && !isNameEnd(d[i]))
                ++i;
            if (i == nameBegin)
                return fail(QStringLiteral("标记 <%1> 中的属性不完整").arg(element.name), start);
            Attribute attribute;
            attribute.name = QString::fromUtf8(d + nameBegin, i - nameBegin);
            while (i < n && isSpace(d[i]))
                ++i;
            if (i >= n || d[i] != '=')
                return fail(QStringLiteral("属性 %1 缺少“=”").arg(attribute.name), start);
            ++i;
            while (i < n && isSpace(d[i]))
                ++i;
            if (i >= n || (d[i] != '"' && d[i] != '\''))
                return fail(QStringLiteral("属性 %1 的值缺少引号").arg(attribute.name), start);
            attribute.quote = d[i];
            attribute.valueBegin = ++i;
            while (i < n && d[i] != attribute.quote)
                ++i;
            if (i >= n)
                return fail(QStringLiteral("属性 %1 的值没有结束").arg(attribute.name), start);
            attribute.valueEnd = i;
            ++i;
            // Literal line ends and tabs in a value stand for spaces; written ones are references.
            QString raw = decode(attribute.valueBegin, attribute.valueEnd);
            raw.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
            for (QChar &c : raw) {
                if (c == u'\r' || c == u'\n' || c == u'\t')
                    c = u' ';
            }
            attribute.value = resolveReferences(raw);
            element.attributes.append(attribute);
            element.insertAt = i;
        }
        const int index = int(m_elements.size());
        element.parent = open.isEmpty() ? -1 : open.last();
        if (element.parent < 0 && !m_elements.isEmpty() && open.isEmpty())
            return fail(QStringLiteral("文件中有多于一个根元素"), start);
        m_elements.append(element);
        if (element.parent >= 0)
            m_elements[element.parent].children.append(index);
        if (!selfClosing)
            open.append(index);
        pos = i;
    }
    if (!open.isEmpty())
        return fail(QStringLiteral("标记 <%1> 没有结束标记").arg(m_elements.at(open.last()).name), n);
    if (m_elements.isEmpty())
        return fail(QStringLiteral("文件中没有元素"), n);
    return std::nullopt;
}

std::optional<QString> XmlTree::attribute(int element, QStringView name) const
{
    for (const Attribute &a : m_elements.at(element).attributes) {
        if (a.name == name)
            return a.value;
    }
    return std::nullopt;
}

void XmlTree::setAttribute(int element, const QString &name, const QString &value)
{
    Element &e = m_elements[element];
    for (Attribute &a : e.attributes) {
        if (a.name == name) {
            if (a.value != value) {
                a.value = value;
                a.changed = true;
            }
            return;
        }
    }
    Attribute a;
    a.name = name;
    a.value = value;
    a.changed = true;
    a.added = true;
    e.attributes.append(a);
}

QList<int> XmlTree::descendants(int element) const
{
    QList<int> out;
    QList<int> stack{element};
    while (!stack.isEmpty()) {
        const int current = stack.takeLast();
        const QList<int> &children = m_elements.at(current).children;
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            stack.append(*it);
        if (current != element)
            out.append(current);
    }
    return out;
}

QByteArray XmlTree::encode(const QString &value, char quote) const
{
    QString escaped;
    escaped.reserve(value.size() + 8);
    for (const QChar c : value) {
        switch (c.unicode()) {
        case u'&': escaped += QStringLiteral("&amp;"); break;
        case u'<': escaped += QStringLiteral("&lt;"); break;
        case u'>': escaped += QStringLiteral("&gt;"); break;
        case u'"': escaped += quote == '"' ? QStringLiteral("&quot;") : QStringLiteral("\""); break;
        case u'\'': escaped += quote == '\'' ? QStringLiteral("&apos;") : QStringLiteral("'"); break;
        case u'\r': escaped += QStringLiteral("&#13;"); break;
        case u'\n': escaped += QStringLiteral("&#10;"); break;
        case u'\t': escaped += QStringLiteral("&#9;"); break;
        default:
            // Other control characters cannot stand in an XML file at all.
            if (c.unicode() >= 0x20)
                escaped += c;
        }
    }
    if (m_encoding == "UTF-8" || m_encoding == "UTF8")
        return escaped.toUtf8();

    // Characters the file's encoding lacks are written as character references.
    QStringEncoder encoder(m_encoding.constData());
    QByteArray out;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        const qsizetype len = escaped.at(i).isHighSurrogate() && i + 1 < escaped.size() ? 2 : 1;
        const QStringView piece = QStringView(escaped).mid(i, len);
        QByteArray bytes = encoder.encode(piece);
        if (encoder.hasError()) {
            encoder.resetState();
            bytes = "&#" + QByteArray::number(piece.toUcs4().value(0)) + ';';
        }
        out += bytes;
        i += len - 1;
    }
    return out;
}

QByteArray XmlTree::toBytes() const
{
    struct Edit
    {
        qsizetype begin;
        qsizetype end;
        QByteArray bytes;
    };
    QList<Edit> edits;
    for (const Element &e : m_elements) {
        QByteArray inserted;
        for (const Attribute &a : e.attributes) {
            if (!a.changed)
                continue;
            if (a.added)
                inserted += ' ' + a.name.toUtf8() + "=\"" + encode(a.value, '"') + '"';
            else
                edits.append({a.valueBegin, a.valueEnd, encode(a.value, a.quote)});
        }
        if (!inserted.isEmpty())
            edits.append({e.insertAt, e.insertAt, inserted});
    }
    std::stable_sort(edits.begin(), edits.end(), [](const Edit &a, const Edit &b) { return a.begin < b.begin; });
    QByteArray out;
    out.reserve(m_bytes.size() + 256);
    qsizetype pos = 0;
    for (const Edit &edit : std::as_const(edits)) {
        out.append(m_bytes.constData() + pos, edit.begin - pos);
        out.append(edit.bytes);
        pos = edit.end;
    }
    out.append(m_bytes.constData() + pos, m_bytes.size() - pos);
    return out;
}

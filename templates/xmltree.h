#pragma once

#include <optional>

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

// A tolerant keeper of an XML file: it parses the elements and their attributes but keeps the
// file's bytes as they are, so that writing it back changes exactly the attribute values that
// were set and nothing else (order of attributes, quoting, white space, comments, entities and
// elements nobody here knows all stay as they were).
//
// Markup is scanned on the raw bytes, which works for every encoding that keeps ASCII as it is
// (UTF-8, GBK); the encoding named in the XML declaration decodes the values, UTF-8 by default.
class XmlTree
{
public:
    struct Attribute
    {
        QString name;
        QString value;            // decoded: entities resolved, line ends normalized
        qsizetype valueBegin = 0; // byte span of the raw value between the quotes
        qsizetype valueEnd = 0;
        char quote = '"';
        bool changed = false;     // written anew on output
        bool added = false;       // not in the file: inserted after the last attribute
    };

    struct Element
    {
        QString name;
        int parent = -1;
        QList<int> children;
        QList<Attribute> attributes;
        qsizetype insertAt = 0; // where new attributes go: after the last attribute or the name
    };

    // Replaces the tree by the parsed bytes. On a syntax error the tree is left empty and
    // the error text (with the line) is returned.
    std::optional<QString> parse(const QByteArray &bytes);
    void clear();

    // The document with the changed attribute values written in place.
    QByteArray toBytes() const;

    bool isEmpty() const { return m_elements.isEmpty(); }
    int root() const { return m_elements.isEmpty() ? -1 : 0; }
    int count() const { return int(m_elements.size()); }
    const Element &element(int index) const { return m_elements.at(index); }

    // The decoded value of the attribute, nothing when the element lacks it.
    std::optional<QString> attribute(int element, QStringView name) const;
    // Sets the value; an attribute the element lacks is added after its last attribute.
    // Setting the value an attribute already has changes nothing in the output.
    void setAttribute(int element, const QString &name, const QString &value);

    // Descendants of element in document order (not the element itself).
    QList<int> descendants(int element) const;

private:
    QByteArray encode(const QString &value, char quote) const;

    QByteArray m_bytes;
    QByteArray m_encoding = "UTF-8";
    QList<Element> m_elements; // in document order; 0 is the root
};

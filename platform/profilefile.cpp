#include "profilefile.h"

#include <utility>
#include <vector>

#include "apperror.h"
#include "gbktext.h"

namespace {

// Blank as the Windows profile reader understands it (Ctrl-Z included, an old end-of-file mark).
bool isBlank(QChar c)
{
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == u'\r' || u == u'\n' || u == u'\v' || u == u'\f'
           || u == 0x1a;
}

QString trimBlanks(QStringView s)
{
    qsizetype begin = 0;
    qsizetype end = s.size();
    while (begin < end && isBlank(s[begin]))
        ++begin;
    while (end > begin && isBlank(s[end - 1]))
        --end;
    return s.mid(begin, end - begin).toString();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The file as lines. Each line keeps the bytes it was read as, so a line nobody writes to is
// written back byte for byte, whatever it holds. Splitting the bytes at CR and LF is safe in
// GBK: neither byte occurs inside a double-byte character.
class ProfileText
{
public:
    explicit ProfileText(const QByteArray &bytes)
    {
        qsizetype start = 0;
        const qsizetype n = bytes.size();
        while (start < n) {
            qsizetype i = start;
            while (i < n && bytes[i] != '\r' && bytes[i] != '\n')
                ++i;
            qsizetype next = i;
            if (i < n)
                next = (bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ? i + 2 : i + 1;
            appendLine(bytes.mid(start, i - start), bytes.mid(i, next - i));
            start = next;
        }
    }

    QByteArray bytes() const
    {
        QByteArray out;
        for (const Line &line : m_lines)
            out += line.raw + line.eol;
        return out;
    }

    // The value of the key, or nothing when the section or the key is missing.
    std::optional<QString> value(const QString &section, const QString &key) const
    {
        const auto [first, end] = sectionRange(section);
        if (first < 0)
            return std::nullopt;
        const qsizetype index = keyLine(first, end, trimBlanks(key));
        if (index < 0)
            return std::nullopt;
        return m_lines[index].value;
    }

    void set(const QString &section, const QString &key, const QString &value)
    {
        const QString keyName = trimBlanks(key);
        const auto [first, end] = sectionRange(section);
        if (first < 0) {
            terminateLastLine();
            appendLine(encodeGbk(u'[' + trimBlanks(section) + u']'), "\r\n");
            appendLine(encodeGbk(keyName + u'=' + value), "\r\n");
            return;
        }
        const qsizetype index = keyLine(first, end, keyName);
        if (index >= 0) {
            // The line keeps its place and the key keeps the spelling the file gives it.
            Line &line = m_lines[index];
            line = parse(encodeGbk(line.name + u'=' + value), line.eol);
            return;
        }
        // After the last line of the section that holds something other than a comment, so
        // the blank lines (and comments) before the next section stay where they are.
        qsizetype at = first + 1;
        for (qsizetype i = first + 1; i < end; ++i) {
            if (m_lines[i].kind == Kind::Key || m_lines[i].kind == Kind::Other)
                at = i + 1;
        }
        if (m_lines[at - 1].eol.isEmpty())
            m_lines[at - 1].eol = "\r\n";
        Line line = parse(encodeGbk(keyName + u'=' + value), "\r\n");
        m_lines.insert(m_lines.begin() + at, std::move(line));
    }

private:
    enum class Kind { Blank, Comment, Header, Key, Other };

    struct Line
    {
        QByteArray raw; // without its line end
        QByteArray eol; // "\r\n", "\n", "\r", or empty for a last line without one
        Kind kind = Kind::Blank;
        QString name;   // of a section or a key, blanks around it removed
        QString value;  // of a key, as read: blanks around it and enclosing quotes removed
    };

    static Line parse(QByteArray raw, QByteArray eol)
    {
        Line line;
        const QString text = trimBlanks(decodeGbk(raw));
        line.raw = std::move(raw);
        line.eol = std::move(eol);
        if (text.isEmpty())
            return line;
        if (text.startsWith(u';')) {
            line.kind = Kind::Comment;
            return line;
        }
        const qsizetype close = text.lastIndexOf(u']');
        if (text.startsWith(u'[') && close > 0) {
            line.kind = Kind::Header;
            line.name = trimBlanks(QStringView(text).mid(1, close - 1));
            return line;
        }
        const qsizetype equals = text.indexOf(u'=');
        if (equals < 0) {
            line.kind = Kind::Other;
            return line;
        }
        line.kind = Kind::Key;
        line.name = trimBlanks(QStringView(text).left(equals));
        QString value = trimBlanks(QStringView(text).mid(equals + 1));
        if (value.size() >= 2 && value.front() == value.back()
            && (value.front() == u'"' || value.front() == u'\''))
            value = value.mid(1, value.size() - 2);
        line.value = value;
        return line;
    }

    void appendLine(QByteArray raw, QByteArray eol)
    {
        m_lines.push_back(parse(std::move(raw), std::move(eol)));
    }

    void terminateLastLine()
    {
        if (!m_lines.empty() && m_lines.back().eol.isEmpty())
            m_lines.back().eol = "\r\n";
    }

    // The header line of the first section of that name and the index past its last line;
    // {-1, -1} when there is no such section.
    std::pair<qsizetype, qsizetype> sectionRange(const QString &section) const
    {
        const QString name = trimBlanks(section);
        const qsizetype n = qsizetype(m_lines.size());
        for (qsizetype i = 0; i < n; ++i) {
            if (m_lines[i].kind != Kind::Header || !sameName(m_lines[i].name, name))
                continue;
            qsizetype end = i + 1;
            while (end < n && m_lines[end].kind != Kind::Header)
                ++end;
            return {i, end};
        }
        return {-1, -1};
    }

    qsizetype keyLine(qsizetype header, qsizetype end, const QString &key) const
    {
        for (qsizetype i = header + 1; i < end; ++i) {
            if (m_lines[i].kind == Kind::Key && sameName(m_lines[i].name, key))
                return i;
        }
        return -1;
    }

    std::vector<Line> m_lines;
};

} // namespace

std::optional<int> parseInteger(const QString &text)
{
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n && text[i] == u' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    int base = 10;
    if (i < n && (text[i] == u'$' || text[i] == u'x' || text[i] == u'X')) {
        base = 16;
        ++i;
    } else if (i + 1 < n && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X')) {
        base = 16;
        i += 2;
    }
    if (i >= n)
        return std::nullopt;
    // Decimal: the magnitude of a 32-bit integer; hexadecimal: any 32-bit pattern.
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 magnitude = 0;
    for (; i < n; ++i) {
        const char16_t c = text[i].unicode();
        int digit = -1;
        if (c >= u'0' && c <= u'9')
            digit = c - u'0';
        else if (base == 16 && c >= u'a' && c <= u'f')
            digit = c - u'a' + 10;
        else if (base == 16 && c >= u'A' && c <= u'F')
            digit = c - u'A' + 10;
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * quint64(base) + quint64(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    const quint32 bits = quint32(negative ? 0u - magnitude : magnitude);
    return int(bits);
}

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

QString ProfileFile::readString(const QString &section, const QString &key,
                                const QString &defaultValue) const
{
    std::optional<QString> value;
    try {
        value = ProfileText(readFileBytes(m_path)).value(section, key);
    } catch (const AppError &) {
        // An unreadable file reads as a missing one.
    }
    if (value)
        return *value;
    // Trailing blanks of the default are dropped, as the Windows reader does.
    qsizetype end = defaultValue.size();
    while (end > 0 && isBlank(defaultValue[end - 1]))
        --end;
    return defaultValue.left(end);
}

int ProfileFile::readInteger(const QString &section, const QString &key, int defaultValue) const
{
    return parseInteger(readString(section, key, QString())).value_or(defaultValue);
}

void ProfileFile::writeString(const QString &section, const QString &key, const QString &value)
{
    writeEntries({ProfileEntry{section, key, value}});
}

void ProfileFile::writeInteger(const QString &section, const QString &key, int value)
{
    writeString(section, key, QString::number(value));
}

void ProfileFile::writeEntries(const QList<ProfileEntry> &entries)
{
    if (entries.isEmpty())
        return;
    try {
        ProfileText text(readFileBytes(m_path));
        for (const ProfileEntry &entry : entries)
            text.set(entry.section, entry.key, entry.value);
        writeFileBytes(m_path, text.bytes());
    } catch (const AppError &) {
        throw AppError(QStringLiteral("Unable to write to %1").arg(m_path));
    }
}

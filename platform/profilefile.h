#pragma once

#include <QList>
#include <QString>

#include <optional>

// One key of a batched write: the value goes to key `key` of section `section`.
struct ProfileEntry
{
    QString section;
    QString key;
    QString value;
};

// The integer reading of the original platform (its string-to-integer conversion): optional
// leading blanks, an optional sign, then decimal digits, or hexadecimal digits after "$",
// "x" or "0x"; nothing may follow the digits. Decimal values must fit a signed 32-bit integer;
// up to eight hexadecimal digits are taken as a 32-bit pattern ("$FFFFFFFF" is -1).
// Anything else gives no value.
std::optional<int> parseInteger(const QString &text);

// A Windows profile (INI) file: GBK text with CR LF line ends, "[section]" lines opening
// sections and "key=value" lines in them. It behaves as the Windows profile functions do, so
// a file written on Windows reads unchanged here and ours reads there:
//  - section and key names match without regard to letter case; blanks around names and
//    values are ignored, and a value enclosed in a pair of double or single quotes loses them;
//  - every read looks at the file as it is on disk; a missing file, section or key gives the
//    default;
//  - every write goes to disk at once. An existing key is replaced in its own line; a missing
//    key is added after the last key line of its section (before the blank lines that part it
//    from the next section); a missing section is added after all others. Every other line -
//    comments, blank lines, sections and keys nobody asked for - keeps its bytes and place.
//  - a write that cannot reach the disk throws AppError "Unable to write to <path>".
class ProfileFile
{
public:
    explicit ProfileFile(QString path);

    const QString &path() const { return m_path; }

    QString readString(const QString &section, const QString &key,
                       const QString &defaultValue) const;
    // The value as `parseInteger` reads it (a value written "0x20" gives 32); a missing or
    // malformed value gives the default.
    int readInteger(const QString &section, const QString &key, int defaultValue) const;

    void writeString(const QString &section, const QString &key, const QString &value);
    // Written in decimal, with a leading "-" when negative.
    void writeInteger(const QString &section, const QString &key, int value);

    // The same as writing the entries one after the other with `writeString`, but the file is
    // read and written once. When the file cannot be written, the error is the one the first
    // single write would have given, and the file stays as it was.
    void writeEntries(const QList<ProfileEntry> &entries);

private:
    QString m_path;
};

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "filebytes.h"

#include "apperror.h"
#include "profilefile.h"

namespace {

// A layout file as written on Windows: GBK, CR LF, a comment, a hand-added section, blanks
// around names and values, and a line that is no GBK at all.
const QByteArray kWindowsFile =
    "; \xb2\xbc\xbe\xd6\r\n"                       // "; 布局"
    "[cpqc]\r\n"
    "left=150\r\n"
    "  Top = 32 \r\n"
    "name=\xcb\xce\xcc\xe5\r\n"                    // 宋体
    "size=0x20\r\n"
    "\r\n"
    "[JELAB]\r\n"
    "left=abc\r\n"
    "top=-7\r\n"
    "name=\"\xba\xda\xcc\xe5\"\r\n"                // "黑体" in quotes
    "size=+9\r\n"
    "width=12abc\r\n"
    "big=2147483648\r\n"
    "least=-2147483648\r\n"
    "all=0xFFFFFFFF\r\n"
    "dollar=$1F\r\n"
    "gap=1 2\r\n"
    "empty=\r\n"
    "\xff\x80 raw\r\n"
    "[ Spaced ]\r\n"
    "k=v\r\n"
    "[cpqc]\r\n"
    "left=999\r\n";

} // namespace

// Profile files with the behaviour of the Windows profile functions: how values read, where
// writes go, what stays untouched, and failed writes.
class TestProfileFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void readsStrings_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("defaultValue");
        QTest::addColumn<QString>("expected");
        QTest::newRow("GBK value") << "cpqc" << "name" << "x" << QStringLiteral("宋体");
        QTest::newRow("section and key in other case") << "CPQC" << "NAME" << "x" << QStringLiteral("宋体");
        QTest::newRow("blanks around key and value") << "cpqc" << "top" << "x" << "32";
        QTest::newRow("quotes removed") << "jelab" << "name" << "x" << QStringLiteral("黑体");
        QTest::newRow("empty value") << "JELAB" << "empty" << "x" << "";
        QTest::newRow("missing key") << "cpqc" << "width" << QStringLiteral("宋体") << QStringLiteral("宋体");
        QTest::newRow("missing section") << "nope" << "left" << "d" << "d";
        QTest::newRow("default loses trailing blanks") << "nope" << "left" << "d  " << "d";
        QTest::newRow("section name with blanks") << "spaced" << "k" << "x" << "v";
        QTest::newRow("first of two sections of a name") << "cpqc" << "left" << "x" << "150";
    }
    void readsStrings()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, defaultValue);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("layout.ini"));
        putBytes(path, kWindowsFile);
        QCOMPARE(ProfileFile(path).readString(section, key, defaultValue), expected);
    }

    void readsIntegers_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << "cpqc" << "left" << 150;
        QTest::newRow("blanks trimmed") << "cpqc" << "TOP" << 32;
        QTest::newRow("hexadecimal 0x20") << "cpqc" << "size" << 32;
        QTest::newRow("abc gives default") << "jelab" << "left" << -1;
        QTest::newRow("negative") << "jelab" << "top" << -7;
        QTest::newRow("plus sign") << "jelab" << "size" << 9;
        QTest::newRow("trailing letters") << "jelab" << "width" << -1;
        QTest::newRow("overflow") << "jelab" << "big" << -1;
        QTest::newRow("least integer") << "jelab" << "least" << int(-2147483647 - 1);
        QTest::newRow("hex bit pattern") << "jelab" << "all" << -1;
        QTest::newRow("dollar hex") << "jelab" << "dollar" << 31;
        QTest::newRow("inner blank") << "jelab" << "gap" << -1;
        QTest::newRow("empty") << "jelab" << "empty" << -1;
        QTest::newRow("missing key") << "jelab" << "nothing" << -1;
    }
    void readsIntegers()
    {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(int, expected);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("layout.ini"));
        putBytes(path, kWindowsFile);
        QCOMPARE(ProfileFile(path).readInteger(section, key, -1), expected);
    }

    void parsesIntegers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");
        QTest::newRow("zero") << "0" << true << 0;
        QTest::newRow("leading spaces") << "  12" << true << 12;
        QTest::newRow("trailing space") << "12 " << false << 0;
        QTest::newRow("minus") << "-60" << true << -60;
        QTest::newRow("lone minus") << "-" << false << 0;
        QTest::newRow("0x") << "0x" << false << 0;
        QTest::newRow("0X1f") << "0X1f" << true << 31;
        QTest::newRow("x10") << "x10" << true << 16;
        QTest::newRow("negative hex") << "-$10" << true << -16;
        QTest::newRow("nine hex digits") << "0x100000000" << false << 0;
        QTest::newRow("max") << "2147483647" << true << 2147483647;
        QTest::newRow("decimal point") << "1.5" << false << 0;
        QTest::newRow("full-width digit") << QStringLiteral("１") << false << 0;
        QTest::newRow("empty") << "" << false << 0;
    }
    void parsesIntegers()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<int> parsed = parseInteger(text);
        QCOMPARE(parsed.has_value(), valid);
        if (valid)
            QCOMPARE(*parsed, value);
    }

    void missingFileGivesDefaults()
    {
        QTemporaryDir dir;
        const ProfileFile file(dir.filePath(QStringLiteral("none.ini")));
        QCOMPARE(file.readString(QStringLiteral("cpqc"), QStringLiteral("name"), QStringLiteral("宋体")),
                 QStringLiteral("宋体"));
        QCOMPARE(file.readInteger(QStringLiteral("cpqc"), QStringLiteral("left"), 120), 120);
        QVERIFY(!QFile::exists(file.path()));
    }

    // The whole file after one write, byte for byte.
    void writesInPlace_data()
    {
        QTest::addColumn<QByteArray>("before"); // null: no file
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << "cpqc" << "left" << "200"
                                  << QByteArray("[cpqc]\r\nleft=200\r\n");
        QTest::newRow("replace where it stands, case-insensitive")
            << QByteArray("[A]\r\nLeft=1\r\ntop=2\r\n") << "a" << "LEFT" << "-5"
            << QByteArray("[A]\r\nLeft=-5\r\ntop=2\r\n");
        QTest::newRow("replace keeps the line end")
            << QByteArray("[a]\nx=1\ny=2") << "a" << "y" << "3" << QByteArray("[a]\nx=1\ny=3");
        QTest::newRow("new key before the blank line")
            << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << "A" << "z" << "3"
            << QByteArray("[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
        QTest::newRow("new key in a section without keys")
            << QByteArray("[a]\r\n\r\n[b]\r\n") << "a" << "k" << "1"
            << QByteArray("[a]\r\nk=1\r\n\r\n[b]\r\n");
        QTest::newRow("new key after unknown keys, before a trailing comment")
            << QByteArray("; top\r\n[cpqc]\r\nleft=1\r\n;note\r\nextra=9\r\n; about b\r\n[b]\r\n")
            << "cpqc" << "top" << "16"
            << QByteArray("; top\r\n[cpqc]\r\nleft=1\r\n;note\r\nextra=9\r\ntop=16\r\n; about b\r\n[b]\r\n");
        QTest::newRow("new key at the end of an unterminated file")
            << QByteArray("[a]\r\nx=1") << "a" << "y" << "2" << QByteArray("[a]\r\nx=1\r\ny=2\r\n");
        QTest::newRow("new section after the others")
            << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n") << "c" << "k" << "v"
            << QByteArray("[a]\r\nx=1\r\n\r\n[b]\r\ny=2\r\n[c]\r\nk=v\r\n");
        QTest::newRow("keys before any section are no section's")
            << QByteArray("x=1\r\n[a]\r\n") << "a" << "x" << "2" << QByteArray("x=1\r\n[a]\r\nx=2\r\n");
        QTest::newRow("only the first section of a name")
            << QByteArray("[a]\r\nx=1\r\n[a]\r\nx=2\r\n") << "a" << "x" << "3"
            << QByteArray("[a]\r\nx=3\r\n[a]\r\nx=2\r\n");
        QTest::newRow("Chinese value in GBK, other lines byte-exact")
            << QByteArray("[a]\r\n\xff\x80 raw\r\nname=x\r\n") << "a" << "name" << QStringLiteral("宋体")
            << QByteArray("[a]\r\n\xff\x80 raw\r\nname=\xcb\xce\xcc\xe5\r\n");
        QTest::newRow("Chinese section name")
            << QByteArray() << QStringLiteral("进账单") << "k" << "1"
            << QByteArray("[\xbd\xf8\xd5\xcb\xb5\xa5]\r\nk=1\r\n");
    }
    void writesInPlace()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("layout.ini"));
        if (!before.isNull())
            putBytes(path, before);
        ProfileFile(path).writeString(section, key, value);
        QCOMPARE(fileBytes(path), after);

        // The batched writer gives the same file.
        if (before.isNull())
            QFile::remove(path);
        else
            putBytes(path, before);
        ProfileFile(path).writeEntries({ProfileEntry{section, key, value}});
        QCOMPARE(fileBytes(path), after);
    }

    void roundTripsALayout()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("支票.ini"));
        ProfileFile file(path);
        file.writeInteger(QStringLiteral("yxmc"), QStringLiteral("left"), 200);
        file.writeInteger(QStringLiteral("yxmc"), QStringLiteral("top"), -3);
        file.writeString(QStringLiteral("yxmc"), QStringLiteral("name"), QStringLiteral("宋体"));
        file.writeInteger(QStringLiteral("yxmc"), QStringLiteral("size"), 12);
        file.writeInteger(QStringLiteral("yyd"), QStringLiteral("left"), 120);
        QCOMPARE(fileBytes(path),
                 QByteArray("[yxmc]\r\nleft=200\r\ntop=-3\r\nname=\xcb\xce\xcc\xe5\r\nsize=12\r\n"
                            "[yyd]\r\nleft=120\r\n"));
        QCOMPARE(file.readInteger(QStringLiteral("YXMC"), QStringLiteral("Top"), 0), -3);
        QCOMPARE(file.readString(QStringLiteral("yxmc"), QStringLiteral("name"), QString()),
                 QStringLiteral("宋体"));

        // Writing the same values again changes nothing.
        const QByteArray once = fileBytes(path);
        file.writeString(QStringLiteral("yxmc"), QStringLiteral("name"), QStringLiteral("宋体"));
        file.writeInteger(QStringLiteral("yyd"), QStringLiteral("left"), 120);
        QCOMPARE(fileBytes(path), once);
    }

    void batchEqualsSingleWrites()
    {
        QTemporaryDir dir;
        const QByteArray start = kWindowsFile;
        QList<ProfileEntry> entries;
        for (int i = 0; i < 36; ++i) {
            const QString section = i == 0 ? QStringLiteral("CPQC") : QStringLiteral("s%1").arg(i);
            entries.append({section, QStringLiteral("left"), QString::number(i * 7 - 30)});
            entries.append({section, QStringLiteral("top"), QString::number(i)});
            entries.append({section, QStringLiteral("name"), QStringLiteral("宋体")});
            entries.append({section, QStringLiteral("size"), QStringLiteral("12")});
        }
        const QString single = dir.filePath(QStringLiteral("single.ini"));
        const QString batch = dir.filePath(QStringLiteral("batch.ini"));
        putBytes(single, start);
        putBytes(batch, start);
        ProfileFile singleFile(single);
        for (const ProfileEntry &e : entries)
            singleFile.writeString(e.section, e.key, e.value);
        ProfileFile(batch).writeEntries(entries);
        QCOMPARE(fileBytes(batch), fileBytes(single));
        // The hand-added section and the lines nobody named are still there.
        QVERIFY(fileBytes(batch).contains("[JELAB]\r\nleft=abc\r\n"));
        QVERIFY(fileBytes(batch).contains("\xff\x80 raw\r\n"));
        QCOMPARE(ProfileFile(batch).readInteger(QStringLiteral("cpqc"), QStringLiteral("left"), 0), -30);
    }

    void unwritableFileThrows_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << QStringLiteral("Kdini/进账单.ini");
        QTest::newRow("path is a folder") << QStringLiteral("folder");
    }
    void unwritableFileThrows()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QString path = dir.path() + u'/' + name;
        const QString expected = QStringLiteral("Unable to write to ") + path;
        ProfileFile file(path);
        try {
            file.writeInteger(QStringLiteral("jzyxmc"), QStringLiteral("left"), 200);
            QFAIL("single write did not throw");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), expected);
        }
        try {
            file.writeEntries({{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}});
            QFAIL("batched write did not throw");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), expected);
        }
    }
};

QTEST_GUILESS_MAIN(TestProfileFile)
#include "tst_profilefile.moc"

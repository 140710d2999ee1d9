#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "apperror.h"
#include "gbktext.h"

// GBK text files: the bytes Windows writes for Chinese text, missing files and failed writes.
class TestGbkText : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void encodesAndDecodes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Song face") << QStringLiteral("宋体") << QByteArray("\xcb\xce\xcc\xe5");
        QTest::newRow("document") << QStringLiteral("进账单") << QByteArray("\xbd\xf8\xd5\xcb\xb5\xa5");
        QTest::newRow("ascii and CR LF") << QStringLiteral("X=-60\r\n") << QByteArray("X=-60\r\n");
        QTest::newRow("empty") << QString() << QByteArray();
    }
    void encodesAndDecodes()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(encodeGbk(text), bytes);
        QCOMPARE(decodeGbk(bytes), text);
    }

    void characterOutsideGbkBecomesQuestionMark()
    {
        QCOMPARE(encodeGbk(QStringLiteral("a\U0001F600b")), QByteArray("a?b"));
    }

    void writesAndReadsFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("t.txt"));
        writeGbkFile(path, QStringLiteral("name=宋体\r\nsize=12\r\n"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("name=\xcb\xce\xcc\xe5\r\nsize=12\r\n"));
        file.close();
        bool exists = false;
        QCOMPARE(readGbkFile(path, &exists), QStringLiteral("name=宋体\r\nsize=12\r\n"));
        QVERIFY(exists);

        // A shorter text replaces the whole file.
        writeGbkFile(path, QStringLiteral("X=0"));
        QCOMPARE(readGbkFile(path), QStringLiteral("X=0"));
    }

    void missingFileReadsEmpty_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("no such file") << QStringLiteral("missing.txt");
        QTest::newRow("a folder") << QStringLiteral("folder");
    }
    void missingFileReadsEmpty()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        bool exists = true;
        QCOMPARE(readGbkFile(dir.filePath(name), &exists), QString());
        QVERIFY(!exists);
    }

    void failedWriteNamesThePath_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("missing folder") << QStringLiteral("nowhere/t.txt");
        QTest::newRow("path is a folder") << QStringLiteral("folder");
    }
    void failedWriteNamesThePath()
    {
        QFETCH(QString, name);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        const QString path = dir.filePath(name);
        try {
            writeGbkFile(path, QStringLiteral("x"));
            QFAIL("no error");
        } catch (const AppError &e) {
            QVERIFY2(e.message().contains(path), qPrintable(e.message()));
        }
    }
};

QTEST_GUILESS_MAIN(TestGbkText)
#include "tst_gbktext.moc"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "filebytes.h"

#include "apperror.h"
#include "mprint.h"
#include "recordingcanvas.h"

namespace {

const QString kConfig = QStringLiteral("config.txt");

} // namespace

// The calibration file and the placement of a text in device units.
class TestMprint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesCalibrationFile_data()
    {
        QTest::addColumn<QString>("xText");
        QTest::addColumn<QString>("yText");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("stub off") << "-60" << "5" << QByteArray("X=-60\r\nY=5\r\n");
        QTest::newRow("zeros") << "0" << "0" << QByteArray("X=0\r\nY=0\r\n");
        QTest::newRow("texts as they stand") << "-" << QStringLiteral("五") << QByteArray("X=-\r\nY=\xce\xe5\r\n");
    }
    void writesCalibrationFile()
    {
        QFETCH(QString, xText);
        QFETCH(QString, yText);
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        // Any older, longer file is replaced as a whole.
        putBytes(folder + kConfig, QByteArray("X=123456\r\nY=123456\r\nZ=1\r\n"));
        WriteCalibrationFile(folder, xText, yText);
        QCOMPARE(fileBytes(folder + kConfig), bytes);
    }

    void calibrationTextOfEmptyEditIsZero()
    {
        QCOMPARE(calibrationText(QString()), QStringLiteral("0"));
        QCOMPARE(calibrationText(QStringLiteral("-60")), QStringLiteral("-60"));
        QCOMPARE(calibrationText(QStringLiteral("-")), QStringLiteral("-"));
    }

    void unwritableCalibrationFileThrows()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/missing/");
        try {
            WriteCalibrationFile(folder, QStringLiteral("1"), QStringLiteral("2"));
            QFAIL("no error");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), QStringLiteral("无法写入校准文件：") + folder + kConfig);
        }
    }

    void roundsInTwoStages_data()
    {
        QTest::addColumn<double>("scaled");
        QTest::addColumn<qlonglong>("units");
        QTest::newRow("34999.6: 3.5 to even 4") << 34999.6 << 4LL;
        QTest::newRow("25000: 2.5 to even 2") << 25000.0 << 2LL;
        QTest::newRow("15000: 1.5 to even 2") << 15000.0 << 2LL;
        QTest::newRow("45000: 4.5 to even 4") << 45000.0 << 4LL;
        QTest::newRow("34999.4 stays 3") << 34999.4 << 3LL;
        QTest::newRow("25000.5: 25000 to 2") << 25000.5 << 2LL;
        QTest::newRow("25001 up to 3") << 25001.0 << 3LL;
        QTest::newRow("negative half to even") << -25000.0 << -2LL;
        QTest::newRow("10 mm at 600 dpi") << 2362204.72 << 236LL;
    }
    void roundsInTwoStages()
    {
        QFETCH(double, scaled);
        QFETCH(qlonglong, units);
        QCOMPARE(roundScaledPosition(static_cast<long double>(scaled)), units);
    }

    void convertsMillimetres_data()
    {
        QTest::addColumn<double>("mm");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<qlonglong>("units");
        QTest::newRow("10 mm at 600 dpi") << 10.0 << 600 << 236LL;
        QTest::newRow("one inch at 1200 dpi") << 25.4 << 1200 << 1200LL;
        QTest::newRow("scaled exactly 25000") << 0.5 << 127 << 2LL;
        QTest::newRow("scaled 34999.6") << 0.699992 << 127 << 4LL;
        QTest::newRow("negative") << -10.0 << 600 << -236LL;
        QTest::newRow("zero") << 0.0 << 600 << 0LL;
    }
    void convertsMillimetres()
    {
        QFETCH(double, mm);
        QFETCH(int, dpi);
        QFETCH(qlonglong, units);
        QCOMPARE(mmToDeviceUnits(static_cast<long double>(mm), dpi), units);
    }

    void placesText_data()
    {
        QTest::addColumn<QByteArray>("config"); // null: no file
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("y");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        // 600 dpi on both axes, a physical offset of 50 and an average character width of 7.
        QTest::newRow("zero offsets") << QByteArray("X=0\r\nY=0\r\n") << 10.0 << 10.0 << 236 + 14 << 186;
        QTest::newRow("stub offset") << QByteArray("X=-60\r\nY=5\r\n") << 70.0 << 5.0 << 236 + 14 << 186;
        QTest::newRow("lower-case entries") << QByteArray("x=3\r\ny=-2\r\n") << 7.0 << 12.0 << 250 << 186;
        QTest::newRow("first entry wins, other lines ignored")
            << QByteArray("[c]\r\nZ=1\r\nX =7\r\nX=0\r\nY=0\r\nX=99\r\n") << 10.0 << 10.0 << 250 << 186;
        QTest::newRow("LF line ends, no last line end") << QByteArray("Y=0\nX=0") << 10.0 << 10.0 << 250 << 186;
        QTest::newRow("leading blank in value") << QByteArray("X= 0\r\nY=0\r\n") << 10.0 << 10.0 << 250 << 186;
        QTest::newRow("hex value") << QByteArray("X=0x0\r\nY=$0\r\n") << 10.0 << 10.0 << 250 << 186;
        QTest::newRow("origin") << QByteArray("X=0\r\nY=0\r\n") << 0.0 << 0.0 << 14 << -50;
        QTest::newRow("screen position 378/3.78") << QByteArray("X=0\r\nY=0\r\n") << 378 / 3.78 << 189 / 3.78 << 2362 + 14 << 1181 - 50;
    }
    void placesText()
    {
        QFETCH(QByteArray, config);
        QFETCH(double, x);
        QFETCH(double, y);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        putBytes(folder + kConfig, config);
        RecordingCanvas canvas(600, 600, 50, 7);
        canvas.setFont(QStringLiteral("宋体"), 12);
        TextOutMm(canvas, folder, QStringLiteral("青禾"), kConfig, x, y);
        const QList<RecordingCanvas::Call> texts = canvas.texts();
        QCOMPARE(texts.size(), 1);
        QCOMPARE(texts[0].x, dx);
        QCOMPARE(texts[0].y, dy);
        QCOMPARE(texts[0].text, QStringLiteral("青禾"));
        QCOMPARE(texts[0].face, QStringLiteral("宋体"));
        QCOMPARE(texts[0].pointSize, 12);
        // Reading never changes the file.
        QCOMPARE(fileBytes(folder + kConfig), config);
    }

    void missingFileIsCreatedWithZeros()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        RecordingCanvas canvas(600, 600, 50, 0);
        TextOutMm(canvas, folder, QStringLiteral("A"), kConfig, 10, 10);
        QCOMPARE(fileBytes(folder + kConfig), QByteArray("X=0\r\nY=0\r\n"));
        QCOMPARE(canvas.texts().size(), 1);
        QCOMPARE(canvas.texts()[0].x, 236);
        QCOMPARE(canvas.texts()[0].y, 186);
    }

    void readsTheFileAtEveryCall()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        RecordingCanvas canvas(600, 600, 0, 0);
        WriteCalibrationFile(folder, QStringLiteral("0"), QStringLiteral("0"));
        TextOutMm(canvas, folder, QStringLiteral("A"), kConfig, 10, 10);
        WriteCalibrationFile(folder, QStringLiteral("10"), QStringLiteral("-10"));
        TextOutMm(canvas, folder, QStringLiteral("B"), kConfig, 10, 10);
        canvas.setAverageCharWidth(5);
        canvas.setLogPixels(1200, 300);
        TextOutMm(canvas, folder, QStringLiteral("C"), kConfig, 10, 20);
        const QList<RecordingCanvas::Call> texts = canvas.texts();
        QCOMPARE(texts.size(), 3);
        QCOMPARE(QPoint(texts[0].x, texts[0].y), QPoint(236, 236));
        QCOMPARE(QPoint(texts[1].x, texts[1].y), QPoint(472, 0));
        QCOMPARE(QPoint(texts[2].x, texts[2].y), QPoint(945 + 10, 118));
    }

    void emptyTextIsStillPlaced()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        RecordingCanvas canvas(600, 600, 0, 0);
        TextOutMm(canvas, folder, QString(), kConfig, 10, 10);
        QCOMPARE(canvas.texts().size(), 1);
        QCOMPARE(canvas.texts()[0].text, QString());
    }

    void badCalibrationDrawsNothing_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QString>("message");
        QTest::newRow("only X") << QByteArray("X=5\r\n") << "'' is not a valid integer value";
        QTest::newRow("empty file") << QByteArray("") << "'' is not a valid integer value";
        QTest::newRow("X not a number") << QByteArray("X=abc\r\nY=0\r\n") << "'abc' is not a valid integer value";
        QTest::newRow("typed minus") << QByteArray("X=-\r\nY=0\r\n") << "'-' is not a valid integer value";
        QTest::newRow("trailing blank") << QByteArray("X=5 \r\nY=0\r\n") << "'5 ' is not a valid integer value";
        QTest::newRow("Y not a number") << QByteArray("X=1\r\nY=1.5\r\n") << "'1.5' is not a valid integer value";
        QTest::newRow("name with a blank is no entry") << QByteArray(" X=1\r\nY=1\r\n") << "'' is not a valid integer value";
        QTest::newRow("empty value") << QByteArray("X=\r\nY=0\r\n") << "'' is not a valid integer value";
    }
    void badCalibrationDrawsNothing()
    {
        QFETCH(QByteArray, config);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        putBytes(folder + kConfig, config);
        RecordingCanvas canvas(600, 600, 0, 0);
        try {
            TextOutMm(canvas, folder, QStringLiteral("A"), kConfig, 10, 10);
            QFAIL("no error");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), message);
        }
        QVERIFY(canvas.calls().isEmpty());
        QCOMPARE(fileBytes(folder + kConfig), config);
    }

    void uncreatableFileDrawsNothing()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + QStringLiteral("/missing/");
        RecordingCanvas canvas(600, 600, 0, 0);
        QVERIFY_THROWS_EXCEPTION(AppError, TextOutMm(canvas, folder, QStringLiteral("A"), kConfig, 1, 1));
        QVERIFY(canvas.calls().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMprint)
#include "tst_mprint.moc"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <memory>

#include "cupsserver.h"
#include "fonts.h"
#include "pdfwords.h"
#include "placement.h"
#include "printwindow.h"

using namespace Qt::StringLiterals;

namespace {

// The scheduler of this test program; started in main before the application object.
spooler::CupsServer *g_server = nullptr;

} // namespace

// The print command with the real printer object: no printer is handed to the window, so it
// takes the system's default queue, here the queue of the test's own CUPS scheduler, which
// writes the spooled job into a PDF file. The page is checked as the end-to-end tests check
// their PDF pages.
class TestSpooler : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        installFontSubstitutes();
        if (!g_server || !g_server->isRunning())
            QSKIP(qPrintable(u"no CUPS scheduler for the test: "_s
                             + (g_server ? g_server->error() : u"not started"_s)));
        if (pdfwords::pdftotext().isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
    }

    void printGoesThroughTheSpooler()
    {
        PrintWindow w;
        QVERIFY(w.start());
        QVERIFY(!w.window().printerDevice()); // the real printer object, made by the print
        w.fillSlip();
        w.setPanelText(u"hx"_s, u"-3"_s);
        w.setPanelText(u"zx"_s, u"2"_s);
        w.pressPrint();
        QVERIFY2(w.dialogs().shown.isEmpty(), qPrintable(w.dialogs().lastText()));
        QPrinter *printer = w.printer();
        QVERIFY(printer);
        QCOMPARE(printer->outputFormat(), QPrinter::NativeFormat);
        QCOMPARE(printer->printerName(), u"qtest"_s);

        // The queue writes the job when its filters are through; a page that reads back whole
        // is a finished job.
        QList<pdfwords::Page> pages;
        const bool spooled = QTest::qWaitFor(
            [&] {
                if (!QFile::exists(g_server->jobFile()))
                    return false;
                pages = pdfwords::readPages(g_server->jobFile());
                return pages.size() == 1 && !pages[0].words.isEmpty();
            },
            60000);
        QVERIFY2(spooled, qPrintable(u"no job in %1\n%2"_s.arg(g_server->jobFile(), g_server->errorLog())));
        // A copy for a look at the page, when asked for (a folder in QINGHE_PRINT_KEEP).
        if (const QString keep = qEnvironmentVariable("QINGHE_PRINT_KEEP"); !keep.isEmpty()) {
            QDir().mkpath(keep);
            QFile::remove(keep + u"/spooled-slip.pdf"_s);
            QFile::copy(g_server->jobFile(), keep + u"/spooled-slip.pdf"_s);
        }

        const placement::Device device = placement::deviceOf(printer);
        const QSizeF paper = printer->paperRect(QPrinter::Point).size();
        QVERIFY(qAbs(pages[0].size.width() - paper.width()) < 1);
        QVERIFY(qAbs(pages[0].size.height() - paper.height()) < 1);
        // A queue's page has margins: the top one is the physical offset the placement takes
        // off again, the left one is not.
        QVERIFY(device.physicalOffsetY > 0);
        QVERIFY(device.origin.x() > 0);

        QString error;
        const placement::Calibration calibration = placement::calibrate(
            QDir(QDir::tempPath()).filePath(u"qinghe-spooler-calibration.pdf"_s), device.dpi,
            u"宋体"_s, {9, 10}, &error);
        QFile::remove(QDir(QDir::tempPath()).filePath(u"qinghe-spooler-calibration.pdf"_s));
        QVERIFY2(calibration.size() == 2, qPrintable(error));
        placement::Options options;
        options.spacing = w.edit(u"zjj"_s)->text().toInt();
        options.calibrationX = -3;
        options.calibrationY = 2;
        const QList<placement::Piece> expected =
            placement::expectedPieces(w.panel(), w.window().documentName(), options, device);
        double worst = 0;
        const QString faults = placement::compare(expected, pages[0].words, calibration, 0.05, &worst);
        QVERIFY2(faults.isEmpty(), qPrintable(faults));
        qDebug("%lld pieces through the spooler at %d dpi, largest deviation %.4f mm",
               qlonglong(expected.size()), device.dpi, worst);
    }
};

int main(int argc, char *argv[])
{
    // The scheduler first, and the program's print support pointed at it before anything of
    // Qt's printing can ask libcups for a server.
    spooler::CupsServer server;
    g_server = &server;
    if (server.isRunning())
        qputenv("CUPS_SERVER", server.address().toUtf8());
    else
        qputenv("CUPS_SERVER", "127.0.0.1:1"); // never the machine's own queues
    int result = 0;
    {
        QApplication app(argc, argv);
        TestSpooler test;
        result = QTest::qExec(&test, argc, argv);
    }
    server.stop();
    g_server = nullptr;
    return result;
}

#include "tst_spooler.moc"

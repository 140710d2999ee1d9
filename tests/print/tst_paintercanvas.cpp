#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "fonts.h"
#include "mprint.h"
#include "paintercanvas.h"

namespace {

// A white image at the given resolution.
QImage blankImage(int dpi)
{
    QImage image(1200, 800, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    return image;
}

// The smallest rectangle holding every pixel that is not white.
QRect inkBounds(const QImage &image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((line[x] & 0xffffff) != 0xffffff)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

} // namespace

// The QPainter canvas: where text lands, and the device measures it reports.
class TestPainterCanvas : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { installFontSubstitutes(); }

    void reportsImageResolution()
    {
        QImage image = blankImage(600);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        QCOMPARE(canvas.logPixelsX(), 600);
        QCOMPARE(canvas.logPixelsY(), 600);
        QCOMPARE(canvas.physicalOffsetY(), 0);
    }

    void textTopLeftIsThePoint()
    {
        QImage image = blankImage(300);
        {
            QPainter painter(&image);
            PainterCanvas canvas(painter);
            canvas.setFont(QStringLiteral("宋体"), 12);
            canvas.textOut(200, 150, QStringLiteral("国A"));
        }
        const QRect ink = inkBounds(image);
        QVERIFY(!ink.isEmpty());
        // 12 points at 300 dpi is a 50-pixel em: the ink starts at the point, within the line.
        QVERIFY2(ink.left() >= 200 && ink.left() < 210, qPrintable(QString::number(ink.left())));
        QVERIFY2(ink.top() >= 150 && ink.top() < 165, qPrintable(QString::number(ink.top())));
        QVERIFY2(ink.bottom() < 150 + 70, qPrintable(QString::number(ink.bottom())));
    }

    void emptyTextLeavesNoMark()
    {
        QImage image = blankImage(300);
        {
            QPainter painter(&image);
            PainterCanvas canvas(painter);
            canvas.setFont(QStringLiteral("宋体"), 12);
            canvas.textOut(200, 150, QString());
        }
        QVERIFY(inkBounds(image).isEmpty());
    }

    void averageCharWidthFollowsFontAndDevice()
    {
        QImage image = blankImage(600);
        QPainter painter(&image);
        PainterCanvas canvas(painter);
        canvas.setFont(QStringLiteral("宋体"), 12);
        const int at12 = canvas.averageCharWidth();
        QCOMPARE(painter.font().pointSize(), 12);
        QCOMPARE(at12, QFontMetrics(painter.font(), &image).averageCharWidth());
        QVERIFY(at12 > 0);
        canvas.setFont(QStringLiteral("宋体"), 24);
        QVERIFY(canvas.averageCharWidth() > at12);
    }

    void printerOffsetIsTheTopMargin()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        printer.setPageMargins(QMarginsF(5, 10, 5, 5), QPageLayout::Millimeter);
        QPainter painter(&printer);
        PainterCanvas canvas(painter);
        QCOMPARE(canvas.logPixelsY(), printer.resolution());
        // Where the painter's origin lies; Qt keeps the margins in whole points, so that is
        // 10 mm to within a point.
        QCOMPARE(canvas.physicalOffsetY(),
                 printer.pageLayout().paintRectPixels(printer.resolution()).top());
        const int tenMm = qRound(10 / 25.4 * printer.resolution());
        QVERIFY2(qAbs(canvas.physicalOffsetY() - tenMm) <= printer.resolution() / 72,
                 qPrintable(QString::number(canvas.physicalOffsetY())));
        painter.end();
    }

    void fullPagePrinterHasNoOffset()
    {
        QTemporaryDir dir;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
        printer.setPageMargins(QMarginsF(5, 10, 5, 5), QPageLayout::Millimeter);
        printer.setFullPage(true);
        QPainter painter(&printer);
        QCOMPARE(PainterCanvas(painter).physicalOffsetY(), 0);
    }

    void pdfWriterOffsetIsItsTopMargin()
    {
        QTemporaryDir dir;
        QPdfWriter writer(dir.filePath(QStringLiteral("page.pdf")));
        writer.setResolution(1200);
        writer.setPageMargins(QMarginsF(0, 25.4, 0, 0), QPageLayout::Millimeter);
        QPainter painter(&writer);
        QCOMPARE(PainterCanvas(painter).physicalOffsetY(), 1200);
    }

    // End to end: a text placed in millimetres lands there on a PDF page, as read back by
    // pdftotext. The page has a top margin of 10 mm, which the placement takes off again.
    void placesTextOnAPdfPage_data()
    {
        QTest::addColumn<bool>("printer");
        QTest::newRow("QPrinter") << true;
        QTest::newRow("QPdfWriter") << false;
    }
    void placesTextOnAPdfPage()
    {
        QFETCH(bool, printer);
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const QString pdf = folder + QStringLiteral("page.pdf");
        WriteCalibrationFile(folder, QStringLiteral("5"), QStringLiteral("-5"));
        std::unique_ptr<QPagedPaintDevice> device;
        if (printer) {
            auto qprinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
            qprinter->setOutputFormat(QPrinter::PdfFormat);
            qprinter->setOutputFileName(pdf);
            device = std::move(qprinter);
        } else {
            auto writer = std::make_unique<QPdfWriter>(pdf);
            writer->setResolution(1200);
            device = std::move(writer);
        }
        device->setPageSize(QPageSize(QPageSize::A4));
        device->setPageMargins(QMarginsF(0, 10, 0, 0), QPageLayout::Millimeter);
        int charWidth = 0;
        int dpi = 0;
        {
            QPainter painter(device.get());
            PainterCanvas canvas(painter);
            canvas.setFont(QStringLiteral("宋体"), 12);
            charWidth = canvas.averageCharWidth();
            dpi = canvas.logPixelsX();
            TextOutMm(canvas, folder, QStringLiteral("ABC"), QStringLiteral("config.txt"), 35, 35);
        }
        device.reset();
        QProcess process;
        process.start(pdftotext, {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(process.waitForFinished(60000));
        const QString html = QString::fromUtf8(process.readAllStandardOutput());
        static const QRegularExpression word(QStringLiteral(
            "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"[0-9.]+\" yMax=\"([0-9.]+)\">ABC</word>"));
        const QRegularExpressionMatch match = word.match(html);
        QVERIFY2(match.hasMatch(), qPrintable(html));
        const double pointsPerMm = 72 / 25.4;
        // x from the left edge (no left margin here) plus two average characters; y from the
        // paper's top edge. The text box is 12 points high.
        const double expectedLeft = 40 * pointsPerMm + 2.0 * charWidth * 72 / dpi;
        const double expectedTop = 30 * pointsPerMm;
        const double left = match.captured(1).toDouble();
        const double top = match.captured(2).toDouble();
        const double bottom = match.captured(3).toDouble();
        const QString seen = match.captured(0) + QStringLiteral(" expected %1 %2").arg(expectedLeft).arg(expectedTop);
        QVERIFY2(qAbs(left - expectedLeft) < 1.0, qPrintable(seen));
        QVERIFY2(qAbs(top - expectedTop) < 1.5, qPrintable(seen));
        QVERIFY2(bottom - top < 16, qPrintable(seen));
    }
};

QTEST_MAIN(TestPainterCanvas)
#include "tst_paintercanvas.moc"

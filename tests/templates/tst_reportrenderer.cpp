#include <QTest>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "fonts.h"
#include "frxunits.h"
#include "report.h"
#include "reportfill.h"
#include "reportpreview.h"
#include "reportrenderer.h"

using namespace Qt::StringLiterals;

// Drawing reports: positions by the device's dots per inch, and the shipped templates filled
// with a record look like a filled form (the pictures are left in /tmp/qinghe-templates).
class TestReportRenderer : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    static bool dark(QRgb pixel) { return qGray(pixel) < 128; }

    // The box around the dark pixels of the image, in pixels.
    static QRect ink(const QImage &image, const QRect &within)
    {
        QRect box;
        const QRect area = within.intersected(image.rect());
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                if (dark(image.pixel(x, y)))
                    box |= QRect(x, y, 1, 1);
            }
        }
        return box;
    }

    // Where an object lies on the image, in pixels.
    static QRect deviceRect(const ReportPage &page, const TextObject &object, double dpi)
    {
        const QRectF r = object.rect();
        return QRectF(frx::mmToDots(page.leftMarginMm, dpi) + frx::unitsToDots(r.x(), dpi),
                      frx::mmToDots(page.topMarginMm, dpi) + frx::unitsToDots(r.y(), dpi),
                      frx::unitsToDots(r.width(), dpi), frx::unitsToDots(r.height(), dpi))
            .toAlignedRect();
    }

    static QString chequeText(const QString &control)
    {
        static const QHash<QString, QString> texts{
            {u"yxmc"_s, u"中国工商银行海淀支行"_s}, {u"yyd"_s, u"贰零贰肆"_s}, {u"mmd"_s, u"零叁"_s},
            {u"ddd"_s, u"零伍"_s}, {u"fkh"_s, u"工行海淀支行"_s}, {u"cprzh"_s, u"0200001234567890"_s},
            {u"skredit"_s, u"北京青禾科技有限公司"_s}, {u"jedxedit"_s, u"壹仟贰佰叁拾肆圆伍角整"_s},
            {u"ytedit"_s, u"货款"_s}, {u"mm"_s, u"8866"_s}, {u"cgyx"_s, u"中国工商银行"_s},
            {u"fjxx1"_s, u"合同 2024-018"_s}, {u"fjxx2"_s, u"第一批"_s}, {u"fjxx3"_s, u"已核对"_s},
            {u"yyx"_s, u"2024"_s}, {u"mmx"_s, u"03"_s}, {u"ddx"_s, u"05"_s}, {u"cskr"_s, u"北京青禾科技"_s},
            {u"cyt"_s, u"货款"_s}, {u"zg"_s, u"王平"_s}, {u"hj"_s, u"李"_s}};
        return texts.value(control);
    }

    static QString slipText(const QString &control)
    {
        static const QHash<QString, QString> texts{
            {u"jzyxmc"_s, u"工行海淀"_s}, {u"yedit"_s, u"2024"_s}, {u"medit"_s, u"03"_s}, {u"dedit"_s, u"05"_s},
            {u"cpqc"_s, u"北京青禾科技有限公司"_s}, {u"cpzh"_s, u"0200001234567890"_s},
            {u"cpyx"_s, u"工商银行海淀支行"_s}, {u"skqc"_s, u"上海远山贸易有限公司"_s},
            {u"skzh"_s, u"3100998877665544"_s}, {u"skyx"_s, u"建设银行浦东支行"_s},
            {u"dxedit"_s, u"壹仟贰佰叁拾肆圆伍角整"_s}, {u"pjzl"_s, u"转账支票"_s}, {u"pjzs"_s, u"1"_s},
            {u"pjhm"_s, u"10203040"_s}, {u"jzfh"_s, u"赵"_s}, {u"jzjz"_s, u"钱"_s}, {u"jzyt"_s, u"货款"_s},
            {u"cyedit"_s, u"2024"_s}, {u"cmedit"_s, u"03"_s}, {u"cdedit"_s, u"05"_s},
            {u"ccpqc"_s, u"北京青禾科技有限公司"_s}, {u"ccpzh"_s, u"0200001234567890"_s},
            {u"ccpyx"_s, u"工商银行海淀支行"_s}, {u"cskqc"_s, u"上海远山贸易有限公司"_s},
            {u"cskzh"_s, u"3100998877665544"_s}, {u"cskyx"_s, u"建设银行浦东支行"_s},
            {u"cpjzl"_s, u"支票"_s}, {u"cpjzs"_s, u"1"_s}, {u"cpjhm"_s, u"10203040"_s},
            {u"cfh"_s, u"赵"_s}, {u"cjz"_s, u"钱"_s}};
        return texts.value(control);
    }

private slots:
    void initTestCase()
    {
        installFontSubstitutes();
        QDir().mkpath(u"/tmp/qinghe-templates"_s);
    }

    void positionsFollowTheDevice_data()
    {
        QTest::addColumn<double>("dpi");
        QTest::newRow("screen") << 96.0;
        QTest::newRow("twice") << 192.0;
        QTest::newRow("printer") << 300.0;
    }

    void positionsFollowTheDevice()
    {
        QFETCH(double, dpi);
        Report report;
        QVERIFY(report.load(write(u"one.fr3"_s,
                                  "<TfrxReport><TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\" LeftMargin=\"10\" "
                                  "TopMargin=\"5\" RightMargin=\"0\" BottomMargin=\"0\">"
                                  "<TfrxMemoView Name=\"m\" Left=\"96\" Top=\"48\" Width=\"96\" Height=\"40\" "
                                  "Font.Name=\"宋体\" Font.Height=\"-16\" Text=\"██\"/></TfrxReportPage></TfrxReport>")));
        const QImage image = ReportRenderer(report).renderImage(0, dpi);
        QCOMPARE(image.size(), QSize(qRound(100 / 25.4 * dpi), qRound(50 / 25.4 * dpi)));
        // The full blocks start at the object's corner: 10 mm + 1 inch across, 5 mm + 0.5 inch down.
        const QRect box = ink(image, image.rect());
        QVERIFY(!box.isEmpty());
        const double left = (10 / 25.4 + 1) * dpi;
        const double top = (5 / 25.4 + 0.5) * dpi;
        QVERIFY2(qAbs(box.left() - left) <= dpi / 96 * 2, qPrintable(QString::number(box.left())));
        QVERIFY2(box.top() >= top - 1 && box.top() <= top + dpi / 96 * 4, qPrintable(QString::number(box.top())));
        // 16 pixels high at 96 dots per inch: the text scales with the device.
        QVERIFY2(qAbs(box.height() - 16 * dpi / 96) <= dpi / 96 * 3, qPrintable(QString::number(box.height())));
    }

    void alignmentAndSpacing()
    {
        Report report;
        QVERIFY(report.load(write(u"align.fr3"_s,
                                  "<TfrxReport><TfrxReportPage PaperWidth=\"100\" PaperHeight=\"50\" LeftMargin=\"0\" "
                                  "TopMargin=\"0\" RightMargin=\"0\" BottomMargin=\"0\">"
                                  "<TfrxMemoView Name=\"r\" Left=\"0\" Top=\"0\" Width=\"200\" Height=\"20\" HAlign=\"haRight\" "
                                  "CharSpacing=\"7\" WordWrap=\"False\" Font.Name=\"宋体\" Font.Height=\"-12\" Text=\"111\"/>"
                                  "</TfrxReportPage></TfrxReport>")));
        const QImage image = ReportRenderer(report).renderImage(0, 96);
        const QRect box = ink(image, image.rect());
        QVERIFY(!box.isEmpty());
        QVERIFY2(box.right() <= 200 && box.right() >= 195, qPrintable(QString::number(box.right())));
        // Three digits six pixels wide with seven between them: about 32 pixels.
        QVERIFY2(box.width() >= 26 && box.width() <= 34, qPrintable(QString::number(box.width())));
    }

    void pageLayoutFollowsThePaper()
    {
        ReportPage landscape;
        landscape.paperWidthMm = 297;
        landscape.paperHeightMm = 210;
        landscape.landscape = true;
        QPageLayout layout = ReportRenderer::pageLayout(landscape);
        QCOMPARE(layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);
        QCOMPARE(layout.margins(), QMarginsF());

        ReportPage portrait;
        layout = ReportRenderer::pageLayout(portrait);
        QCOMPARE(layout.orientation(), QPageLayout::Portrait);
        QCOMPARE(layout.pageSize().id(), QPageSize::A4);

        ReportPage custom;
        custom.paperWidthMm = 230;
        custom.paperHeightMm = 80;
        layout = ReportRenderer::pageLayout(custom);
        QCOMPARE(layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(layout.fullRect(QPageLayout::Millimeter).size(), QSizeF(230, 80));
    }

    void filledFormsLookFilled_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("cheque");
        QTest::addColumn<bool>("withStub");
        QTest::newRow("cheque horizontal") << "gsxjhd.fr3" << true << true;
        QTest::newRow("cheque without stub") << "wcgzpzd.fr3" << true << false;
        QTest::newRow("slip 1 vertical") << "jzd1zd.fr3" << false << true;
        QTest::newRow("slip 2 horizontal") << "jzd2hd.fr3" << false << false;
    }

    void filledFormsLookFilled()
    {
        QFETCH(QString, file);
        QFETCH(bool, cheque);
        QFETCH(bool, withStub);
        Report report;
        QVERIFY(report.load(QStringLiteral(QINGHE_PROGRAM_DIR "/") + file));
        QString xxedit, jelab;
        if (cheque)
            FillChequeReport(report, withStub ? u"横打"_s : u"无存根纵打"_s, chequeText, 1234.5, u"人民币"_s, xxedit, jelab);
        else
            FillSlipReport(report, withStub, slipText, 1234.5, u"人民币"_s, xxedit);

        const double dpi = 150;
        const QImage image = ReportRenderer(report).renderImage(0, dpi);
        const QString png = u"/tmp/qinghe-templates/"_s + QString(file).replace(u".fr3"_s, u".png"_s);
        QVERIFY(image.save(png));

        // Every text shows inside its own object, and no ink lies outside the objects.
        const ReportPage &page = report.pages().first();
        // The part of the page the form covers, for the eye.
        QRect form;
        for (const TextObject *object : page.objects)
            form |= deviceRect(page, *object, dpi);
        QVERIFY(image.copy(QRect(0, 0, form.right() + 40, form.bottom() + 40)).save(QString(png).replace(u".png"_s, u"-form.png"_s)));
        QImage rest = image;
        for (const TextObject *object : page.objects) {
            const QRect r = deviceRect(page, *object, dpi);
            QVERIFY2(object->text().isEmpty() || !ink(image, r).isEmpty(), qPrintable(object->name()));
            QPainter(&rest).fillRect(r.adjusted(-1, -1, 1, 1), Qt::white);
        }
        const QRect outside = ink(rest, rest.rect());
        QVERIFY2(outside.isEmpty(), qPrintable(u"ink outside the objects at %1,%2"_s.arg(outside.x()).arg(outside.y())));
    }

    void printsToPdf()
    {
        Report report;
        QVERIFY(report.load(QStringLiteral(QINGHE_PROGRAM_DIR "/jzd1hd.fr3")));
        QString xxedit;
        FillSlipReport(report, true, slipText, 0.05, u"人民币"_s, xxedit);
        const QString pdf = u"/tmp/qinghe-templates/jzd1hd.pdf"_s;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        ReportPreview(report).preparePrinter(printer);
        QCOMPARE(printer.pageLayout().orientation(), QPageLayout::Landscape);
        QVERIFY(ReportRenderer(report).print(printer));
        QVERIFY(QFileInfo(pdf).size() > 0);

        // The figure text lands where its object ends: right-aligned to the amount grid.
        QProcess process;
        process.start(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s});
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            QSKIP("pdftotext is not available");
        const QString html = QString::fromUtf8(process.readAllStandardOutput());
        QVERIFY2(html.contains(u"上海远山贸易有限公司"), qPrintable(html.left(2000)));
        QVERIFY(html.contains(u"<page width=\"842"));
        // The body's amount object ends at 768 screen pixels = 203.2 mm = 576 pt (the last "5"
        // on the page; the stub's comes first).
        const qsizetype at = html.lastIndexOf(u"xMax=", html.lastIndexOf(u">5</word>"));
        QVERIFY(at > 0);
        const double xMax = html.mid(at + 6, 10).section(u'"', 0, 0).toDouble();
        QVERIFY2(qAbs(xMax - 768 / 3.78 / 25.4 * 72) < 1.5, qPrintable(QString::number(xMax)));
    }
};

QTEST_MAIN(TestReportRenderer)
#include "tst_reportrenderer.moc"

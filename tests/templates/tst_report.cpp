#include <QTest>

#include <QFile>
#include <QTemporaryDir>

#include "apperror.h"
#include "frxunits.h"
#include "report.h"

using namespace Qt::StringLiterals;

// Loading, reading and writing a report template.
class TestReport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    static QByteArray sample()
    {
        return QByteArrayLiteral(
            "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n"
            "<TfrxReport Version=\"4.0\" ScriptText.Text=\"begin&#13;&#10;end.\">\r\n"
            "  <TfrxDataPage Name=\"Data\" Height=\"1000\"/>\r\n"
            "  <TfrxReportPage Name=\"Page1\" PaperWidth=\"297\" PaperHeight=\"210\" LeftMargin=\"5\" TopMargin=\"7.5\" "
            "RightMargin=\"4\" BottomMargin=\"3\" Orientation=\"poLandscape\" Custom=\"kept\">\r\n"
            "    <TfrxMemoView Name=\"yxmc\" Left=\"100\" Top=\"20.5\" Width=\"183\" Height=\"20\" Font.Charset=\"134\" "
            "Font.Color=\"255\" Font.Height=\"-12\" Font.Name=\"宋体\" Font.Style=\"1\" Text=\"旧\"/>\r\n"
            "    <TfrxReportTitle Name=\"ReportTitle1\" Left=\"0\" Top=\"18.89765\" Height=\"200\" Width=\"1000\">\r\n"
            "      <TfrxMemoView Name=\"InBand\" Left=\"10\" Top=\"5\" Width=\"50\" Height=\"18\" Font.Size=\"12\" "
            "Font.Style=\"6\" HAlign=\"haRight\" VAlign=\"vaCenter\" WordWrap=\"False\" CharSpacing=\"3\" Text=\"\"/>\r\n"
            "      <TfrxLineView Name=\"Line1\" Left=\"0\" Top=\"0\" Width=\"100\"/>\r\n"
            "    </TfrxReportTitle>\r\n"
            "    <TfrxMemoView Name=\"Old\" Memo.UTF8W=\"older\"/>\r\n"
            "  </TfrxReportPage>\r\n"
            "  <TfrxReportPage Name=\"Page2\"/>\r\n"
            "</TfrxReport>\r\n");
    }

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            qFatal("cannot write %s", qPrintable(path));
        file.write(bytes);
        return path;
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void missingFileGivesAnEmptyReport()
    {
        Report report;
        QVERIFY(!report.load(m_dir.filePath(u"nothing.fr3"_s)));
        QVERIFY(report.isEmpty());
        QVERIFY(report.pages().isEmpty());
        QVERIFY(!report.findObject(u"yxmc"_s));
        QVERIFY(!report.setText(u"yxmc"_s, u"x"_s));

        // Saved, it is a template without pages that loads again.
        const QString path = m_dir.filePath(u"empty.fr3"_s);
        report.save(path);
        Report again;
        QVERIFY(again.load(path));
        QVERIFY(!again.isEmpty());
        QVERIFY(again.pages().isEmpty());
    }

    void pagesAndObjectsAreRead()
    {
        Report report;
        QVERIFY(report.load(write(u"sample.fr3"_s, sample())));
        QCOMPARE(report.pages().size(), 2);
        const ReportPage &page = report.pages().first();
        QCOMPARE(page.name, u"Page1");
        QCOMPARE(page.paperSizeMm(), QSizeF(297, 210));
        QCOMPARE(page.printableRectMm(), QRectF(5, 7.5, 288, 199.5));
        QVERIFY(page.landscape);
        QCOMPARE(page.objects.size(), 3);
        // A page without attributes has the engine's defaults: A4 upright, 10 mm margins.
        const ReportPage &second = report.pages().at(1);
        QCOMPARE(second.paperSizeMm(), QSizeF(210, 297));
        QCOMPARE(second.printableRectMm(), QRectF(10, 10, 190, 277));
        QVERIFY(!second.landscape);
        QVERIFY(second.objects.isEmpty());

        const TextObject *yxmc = report.findObject(u"yxmc"_s);
        QVERIFY(yxmc);
        QCOMPARE(yxmc->rect(), QRectF(100, 20.5, 183, 20));
        QCOMPARE(yxmc->text(), u"旧");
        QCOMPARE(yxmc->font().family(), u"宋体");
        QCOMPARE(yxmc->font().pointSizeF(), 9.0);
        QVERIFY(yxmc->font().bold());
        QCOMPARE(yxmc->color(), QColor(Qt::red)); // the engine's colours are BGR
        QCOMPARE(yxmc->alignment(), Qt::AlignLeft | Qt::AlignTop);
        QVERIFY(yxmc->wordWrap());

        // Inside a band the position counts from the band.
        const TextObject *inBand = report.findObject(u"inband"_s);
        QVERIFY(inBand);
        QCOMPARE(inBand->rect(), QRectF(10, 23.89765, 50, 18));
        QCOMPARE(inBand->font().pointSizeF(), 12.0);
        QVERIFY(inBand->font().italic() && inBand->font().underline() && !inBand->font().bold());
        QCOMPARE(inBand->alignment(), Qt::AlignRight | Qt::AlignVCenter);
        QVERIFY(!inBand->wordWrap());
        QCOMPARE(inBand->charSpacing(), 3.0);

        QCOMPARE(report.findObject(u"Old"_s)->text(), u"older");
        QVERIFY(!report.findObject(u"Line1"_s));
        QVERIFY(!report.findObject(u"Page1"_s));
    }

    void savingWithoutChangesKeepsTheFile()
    {
        Report report;
        QVERIFY(report.load(write(u"same.fr3"_s, sample())));
        const QString out = m_dir.filePath(u"same-out.fr3"_s);
        report.save(out);
        QCOMPARE(read(out), sample());
    }

    void setTextWritesOnlyThatText()
    {
        Report report;
        QVERIFY(report.load(write(u"text.fr3"_s, sample())));
        QVERIFY(report.setText(u"YXMC"_s, u"中国工商银行\n北京分行 & <总行>"_s));
        QVERIFY(report.setText(u"Old"_s, u"new"_s));
        QVERIFY(!report.setText(u"missing"_s, u"x"_s));
        const QString out = m_dir.filePath(u"text-out.fr3"_s);
        report.save(out);

        QByteArray expected = sample();
        expected.replace("Text=\"旧\"", "Text=\"中国工商银行&#13;&#10;北京分行 &amp; &lt;总行&gt;\"");
        expected.replace("Memo.UTF8W=\"older\"", "Memo.UTF8W=\"new\"");
        QCOMPARE(read(out), expected);

        Report again;
        QVERIFY(again.load(out));
        QCOMPARE(again.findObject(u"yxmc"_s)->text(), u"中国工商银行\n北京分行 & <总行>");
    }

    void geometryAndFontAreWritten()
    {
        Report report;
        QVERIFY(report.load(write(u"geo.fr3"_s, sample())));
        TextObject *inBand = report.findObject(u"InBand"_s);
        inBand->setPos(QPointF(30, 40));
        inBand->setSize(QSizeF(60.25, 18));
        QFont font(u"宋体"_s);
        font.setPointSizeF(10.5);
        font.setBold(true);
        inBand->setFont(font);
        TextObject *yxmc = report.findObject(u"yxmc"_s);
        yxmc->setFont(yxmc->font()); // the same font changes nothing
        const QString out = m_dir.filePath(u"geo-out.fr3"_s);
        report.save(out);

        QByteArray expected = sample();
        expected.replace("<TfrxMemoView Name=\"InBand\" Left=\"10\" Top=\"5\" Width=\"50\" Height=\"18\" Font.Size=\"12\" Font.Style=\"6\"",
                         "<TfrxMemoView Name=\"InBand\" Left=\"30\" Top=\"21.10235\" Width=\"60.25\" Height=\"18\" Font.Size=\"10.5\" Font.Style=\"1\"");
        expected.replace("CharSpacing=\"3\" Text=\"\"/>", "CharSpacing=\"3\" Text=\"\" Font.Name=\"宋体\"/>");
        QCOMPARE(read(out), expected);

        Report again;
        QVERIFY(again.load(out));
        QCOMPARE(again.findObject(u"InBand"_s)->rect(), QRectF(30, 40, 60.25, 18));
        QCOMPARE(again.findObject(u"InBand"_s)->font().pointSizeF(), 10.5);
        QVERIFY(again.findObject(u"InBand"_s)->font().bold());
    }

    void fontHeightIsWrittenInPixels()
    {
        Report report;
        QVERIFY(report.load(write(u"height.fr3"_s, sample())));
        QFont font = report.findObject(u"yxmc"_s)->font();
        font.setPointSize(12);
        font.setBold(false);
        report.findObject(u"yxmc"_s)->setFont(font);
        QByteArray expected = sample();
        expected.replace("Font.Height=\"-12\" Font.Name=\"宋体\" Font.Style=\"1\"", "Font.Height=\"-16\" Font.Name=\"宋体\" Font.Style=\"0\"");
        QCOMPARE(report.toBytes(), expected);
    }

    void loadReplacesTheContents()
    {
        Report report;
        QVERIFY(report.load(write(u"first.fr3"_s, sample())));
        QVERIFY(report.setText(u"yxmc"_s, u"changed"_s));
        QVERIFY(report.load(write(u"second.fr3"_s, "<TfrxReport><TfrxReportPage><TfrxMemoView Name=\"skr\"/></TfrxReportPage></TfrxReport>")));
        QVERIFY(!report.findObject(u"yxmc"_s));
        QVERIFY(report.findObject(u"skr"_s));
        QCOMPARE(report.pages().size(), 1);
        QVERIFY(!report.load(m_dir.filePath(u"gone.fr3"_s)));
        QVERIFY(!report.findObject(u"skr"_s));
    }

    void damagedFilesThrow_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("broken xml") << QByteArray("<TfrxReport>\n<TfrxReportPage>\n</TfrxReport>") << "格式有错误";
        QTest::newRow("not a report") << QByteArray("<html><body/></html>") << "不是报表模板";
        QTest::newRow("empty file") << QByteArray() << "格式有错误";
    }

    void damagedFilesThrow()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        Report report;
        QVERIFY(report.load(write(u"good.fr3"_s, sample())));
        const QString path = write(u"bad.fr3"_s, bytes);
        try {
            report.load(path);
            QFAIL("no error");
        } catch (const AppError &e) {
            QVERIFY2(e.message().contains(message), qPrintable(e.message()));
            QVERIFY(e.message().contains(path));
        }
        QVERIFY(report.isEmpty());
        QVERIFY(!report.findObject(u"yxmc"_s));
    }

    void unitsConvert()
    {
        QCOMPARE(frx::mmToUnits(25.4), 96.0);
        QCOMPARE(frx::unitsToDots(96, 1200), 1200.0);
        QCOMPARE(frx::heightToPoints(-12), 9.0);
        QCOMPARE(formatFrxNumber(1.0 / 3), u"0.33333");
        QCOMPARE(formatFrxNumber(20), u"20");
        QCOMPARE(formatFrxNumber(-0.000001), u"0");
    }
};

QTEST_MAIN(TestReport)
#include "tst_report.moc"

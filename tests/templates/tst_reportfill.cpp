#include <QTest>

#include <QFile>
#include <QTemporaryDir>

#include "apperror.h"
#include "report.h"
#include "reportfill.h"

using namespace Qt::StringLiterals;

// The cheque and deposit-slip fills on the shipped templates.
class TestReportFill : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // Every control shows its own name, so an object's text tells which control filled it.
    static QString controlText(const QString &control) { return u"值-"_s + control; }

    static QString installed(const char *file)
    {
        return QStringLiteral(QINGHE_PROGRAM_DIR "/") + QLatin1StringView(file);
    }

    static void load(Report &report, const char *file)
    {
        QVERIFY2(report.load(installed(file)), file);
    }

    // A template's own text of every object, to see which ones a fill left alone.
    static QHash<QString, QString> texts(const Report &report)
    {
        QHash<QString, QString> out;
        for (const TextObject *object : report.objects())
            out.insert(object->name(), object->text());
        return out;
    }

    // Marks every object, so that "left alone" differs from "written with the empty text".
    static void mark(Report &report)
    {
        for (TextObject *object : report.objects())
            object->setText(u"模板-"_s + object->name());
    }

    static QString textOf(const Report &report, const QString &name)
    {
        const TextObject *object = report.findObject(name);
        return object ? object->text() : u"<none>"_s;
    }

private slots:
    void chequeWritesEveryObject_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("control");
        const char *pairs[][2] = {{"yxmc", "yxmc"},   {"yyd", "yyd"},     {"mmd", "mmd"},     {"ddd", "ddd"},
                                  {"fkh", "fkh"},     {"cprzh", "cprzh"}, {"skr", "skredit"}, {"jedx", "jedxedit"},
                                  {"yt", "ytedit"},   {"mm", "mm"},       {"cgyx", "cgyx"},   {"fjxx1", "fjxx1"},
                                  {"fjxx2", "fjxx2"}, {"fjxx3", "fjxx3"}, {"yyx", "yyx"},     {"mmx", "mmx"},
                                  {"ddx", "ddx"},     {"cskr", "cskr"},   {"cyt", "cyt"},     {"zg", "zg"},
                                  {"hj", "hj"}};
        for (const auto &pair : pairs)
            QTest::newRow(pair[0]) << QString::fromLatin1(pair[0]) << QString::fromLatin1(pair[1]);
    }

    void chequeWritesEveryObject()
    {
        QFETCH(QString, object);
        QFETCH(QString, control);
        Report report;
        load(report, "gsxjhd.fr3");
        QString xxedit, jelab;
        FillChequeReport(report, u"横打"_s, controlText, 1234.5, u"人民币"_s, xxedit, jelab);
        QCOMPARE(textOf(report, object), controlText(control));
    }

    void chequeFigures_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("jexx");
        QTest::addColumn<QString>("cje");
        QTest::newRow("horizontal yuan") << "横打" << "gsxjhd.fr3" << "人民币" << "￥123450" << "￥1234.50";
        QTest::newRow("vertical dollars") << "纵打" << "gsxjzd.fr3" << "美元" << "USD123450" << "USD1234.50";
        QTest::newRow("hong kong") << "横打" << "gsxjhd.fr3" << "港币" << "HKD123450" << "HKD1234.50";
        QTest::newRow("euro") << "纵打" << "gsxjzd.fr3" << "欧元" << "EUR123450" << "EUR1234.50";
    }

    void chequeFigures()
    {
        QFETCH(QString, kind);
        QFETCH(QString, file);
        QFETCH(QString, currency);
        QFETCH(QString, jexx);
        QFETCH(QString, cje);
        Report report;
        load(report, file.toLatin1().constData());
        mark(report);
        QString xxedit = u"旧的小写"_s;
        QString jelab = u"旧的存根"_s;
        FillChequeReport(report, kind, controlText, 1234.5, currency, xxedit, jelab);
        QCOMPARE(textOf(report, u"jexx"_s), jexx);
        QCOMPARE(textOf(report, u"cje"_s), cje);
        QCOMPARE(xxedit, jexx);
        QCOMPARE(jelab, cje);
        // Every object of the template was written.
        for (const QString &name : ChequeObjectNames(true))
            QVERIFY2(!textOf(report, name).startsWith(u"模板-"), qPrintable(name));
    }

    void chequeWithoutStubLeavesTheStub_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("horizontal") << "无存根横打";
        QTest::newRow("vertical") << "无存根纵打";
    }

    void chequeWithoutStubLeavesTheStub()
    {
        QFETCH(QString, kind);
        Report report;
        load(report, "gsxjhd.fr3");
        mark(report);
        const QHash<QString, QString> before = texts(report);
        QString xxedit, jelab = u"旧的存根"_s;
        FillChequeReport(report, kind, controlText, 1234.5, u"人民币"_s, xxedit, jelab);
        const QStringList body = ChequeObjectNames(false);
        for (const QString &name : ChequeObjectNames(true)) {
            if (body.contains(name))
                QVERIFY2(textOf(report, name) != before.value(name), qPrintable(name));
            else
                QCOMPARE(textOf(report, name), before.value(name));
        }
        QCOMPARE(textOf(report, u"jexx"_s), u"￥123450");
        QCOMPARE(jelab, u"旧的存根"); // JELAB belongs to the stub
        QVERIFY(ChequeKindWithoutStub(kind));

        // The next command with stub writes the stub again.
        load(report, "gsxjhd.fr3");
        FillChequeReport(report, u"横打"_s, controlText, 1234.5, u"人民币"_s, xxedit, jelab);
        QCOMPARE(textOf(report, u"cgyx"_s), controlText(u"cgyx"_s));
        QCOMPARE(textOf(report, u"hj"_s), controlText(u"hj"_s));
        QCOMPARE(textOf(report, u"cje"_s), u"￥1234.50");
    }

    void chequeWithoutStubOnItsOwnTemplate()
    {
        Report report;
        load(report, "wcgzpzd.fr3");
        QString xxedit, jelab;
        FillChequeReport(report, u"无存根纵打"_s, controlText, 0.05, u"人民币"_s, xxedit, jelab);
        QCOMPARE(textOf(report, u"jexx"_s), u"￥005");
        QCOMPARE(textOf(report, u"skr"_s), controlText(u"skredit"_s));
        QCOMPARE(textOf(report, u"cje"_s), u"<none>");
    }

    void chequeCurrencyOutsideTheList_data()
    {
        QTest::addColumn<QString>("currency");
        QTest::addColumn<bool>("withAmount");
        QTest::newRow("empty, no amount") << "" << false;
        QTest::newRow("yen, amount") << "日元" << true;
    }

    void chequeCurrencyOutsideTheList()
    {
        QFETCH(QString, currency);
        QFETCH(bool, withAmount);
        Report report;
        load(report, "gsxjhd.fr3");
        mark(report);
        QString xxedit = u"旧的小写"_s;
        QString jelab = u"1234.50"_s;
        FillChequeReport(report, u"横打"_s, controlText, withAmount ? std::optional<double>(1234.5) : std::nullopt, currency,
                         xxedit, jelab);
        // No figure text: the figure object keeps the template's text, "cje" gets JELAB as it is.
        QCOMPARE(textOf(report, u"jexx"_s), u"模板-jexx");
        QCOMPARE(textOf(report, u"cje"_s), u"1234.50");
        QCOMPARE(xxedit, u"旧的小写");
        QCOMPARE(jelab, u"1234.50");
        QCOMPARE(textOf(report, u"yxmc"_s), controlText(u"yxmc"_s));
    }

    void emptyAmountWritesNothing_data()
    {
        QTest::addColumn<bool>("cheque");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("currency");
        QTest::newRow("cheque") << true << "gsxjhd.fr3" << "人民币";
        QTest::newRow("cheque without stub") << true << "wcgzphd.fr3" << "美元";
        QTest::newRow("slip with stub") << false << "jzd1hd.fr3" << "人民币";
        QTest::newRow("slip 2") << false << "jzd2zd.fr3" << "欧元";
    }

    void emptyAmountWritesNothing()
    {
        QFETCH(bool, cheque);
        QFETCH(QString, file);
        QFETCH(QString, currency);
        Report report;
        load(report, file.toLatin1().constData());
        const QByteArray before = report.toBytes();
        QString xxedit = u"x"_s, jelab = u"j"_s;
        bool read = false;
        const ControlText text = [&read](const QString &control) {
            read = true;
            return control;
        };
        try {
            if (cheque)
                FillChequeReport(report, u"横打"_s, text, std::nullopt, currency, xxedit, jelab);
            else
                FillSlipReport(report, true, text, std::nullopt, currency, xxedit);
            QFAIL("no error");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), EmptyAmountMessage());
            QVERIFY(e.message().contains(u"金额为空"));
        }
        QCOMPARE(report.toBytes(), before);
        QVERIFY(!read);
        QCOMPARE(xxedit, u"x");
        QCOMPARE(jelab, u"j");
    }

    void slipWritesEveryObject_data()
    {
        QTest::addColumn<QString>("object");
        QTest::addColumn<QString>("control");
        const char *pairs[][2] = {{"yxmc", "jzyxmc"}, {"yyd", "yedit"},   {"mmd", "medit"},   {"ddd", "dedit"},
                                  {"cpqc", "cpqc"},   {"cpzh", "cpzh"},   {"cpyx", "cpyx"},   {"skqc", "skqc"},
                                  {"skzh", "skzh"},   {"skyx", "skyx"},   {"dxje", "dxedit"}, {"pjzl", "pjzl"},
                                  {"pjzs", "pjzs"},   {"pjhm", "pjhm"},   {"fh", "jzfh"},     {"jz", "jzjz"},
                                  {"bz", "jzyt"},     {"yyx", "cyedit"},  {"mmx", "cmedit"},  {"ddx", "cdedit"},
                                  {"ccpqc", "ccpqc"}, {"ccpzh", "ccpzh"}, {"ccpyx", "ccpyx"}, {"cskqc", "cskqc"},
                                  {"cskzh", "cskzh"}, {"cskyx", "cskyx"}, {"cpjzl", "cpjzl"}, {"cpjzs", "cpjzs"},
                                  {"cpjhm", "cpjhm"}, {"cfh", "cfh"},     {"cjz", "cjz"}};
        for (const auto &pair : pairs)
            QTest::newRow(pair[0]) << QString::fromLatin1(pair[0]) << QString::fromLatin1(pair[1]);
    }

    void slipWritesEveryObject()
    {
        QFETCH(QString, object);
        QFETCH(QString, control);
        Report report;
        load(report, "jzd3zd.fr3");
        QString xxedit;
        FillSlipReport(report, true, controlText, 88, u"人民币"_s, xxedit);
        QCOMPARE(textOf(report, object), controlText(control));
    }

    void slipWithStubWritesBothFigures()
    {
        Report report;
        load(report, "jzd1hd.fr3");
        mark(report);
        QString xxedit;
        FillSlipReport(report, true, controlText, 0.05, u"人民币"_s, xxedit);
        QCOMPARE(textOf(report, u"xxje"_s), u"￥005");
        QCOMPARE(textOf(report, u"cxxje"_s), u"￥005");
        QCOMPARE(xxedit, u"￥005");
        for (const QString &name : SlipObjectNames(true))
            QVERIFY2(!textOf(report, name).startsWith(u"模板-"), qPrintable(name));
    }

    void slipWithoutStubWritesOnlyTheBody_data()
    {
        QTest::addColumn<QString>("currency");
        QTest::addColumn<QString>("figure");
        QTest::newRow("人民币") << "人民币" << "￥005";
        QTest::newRow("美元") << "美元" << "USD005";
        QTest::newRow("港币") << "港币" << "HKD005";
        QTest::newRow("欧元") << "欧元" << "EUR005";
    }

    void slipWithoutStubWritesOnlyTheBody()
    {
        QFETCH(QString, currency);
        QFETCH(QString, figure);
        // On the template with stub, so that the stub objects are there to be left alone.
        Report report;
        load(report, "jzd1zd.fr3");
        mark(report);
        const QHash<QString, QString> before = texts(report);
        QString xxedit;
        FillSlipReport(report, false, controlText, 0.05, currency, xxedit);
        QCOMPARE(textOf(report, u"xxje"_s), figure);
        const QStringList body = SlipObjectNames(false);
        for (const QString &name : SlipObjectNames(true)) {
            if (body.contains(name))
                QVERIFY2(textOf(report, name) != before.value(name), qPrintable(name));
            else
                QCOMPARE(textOf(report, name), before.value(name));
        }
        QVERIFY(!body.contains(u"cxxje"_s));

        // Slip 2's own template has no stub at all.
        load(report, "jzd2hd.fr3");
        FillSlipReport(report, false, controlText, 0.05, currency, xxedit);
        QCOMPARE(textOf(report, u"xxje"_s), figure);
        QCOMPARE(textOf(report, u"bz"_s), controlText(u"jzyt"_s));
    }

    void slipCurrencyOutsideTheList()
    {
        Report report;
        load(report, "jzd3hd.fr3");
        mark(report);
        QString xxedit = u"旧"_s;
        FillSlipReport(report, true, controlText, std::nullopt, QString(), xxedit);
        QCOMPARE(textOf(report, u"xxje"_s), u"模板-xxje");
        QCOMPARE(textOf(report, u"cxxje"_s), u"模板-cxxje");
        QCOMPARE(xxedit, u"旧");
        QCOMPARE(textOf(report, u"cskqc"_s), controlText(u"cskqc"_s));
    }

    void templateLackingObjectsIsFilledWithTheOthers()
    {
        const QString path = m_dir.filePath(u"few.fr3"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<TfrxReport><TfrxReportPage><TfrxMemoView Name=\"skr\" Text=\"\"/>"
                   "<TfrxMemoView Name=\"cje\" Text=\"\"/><TfrxMemoView Name=\"other\" Text=\"keep\"/>"
                   "</TfrxReportPage></TfrxReport>");
        file.close();
        Report report;
        QVERIFY(report.load(path));
        QString xxedit, jelab;
        FillChequeReport(report, u"横打"_s, controlText, 10, u"人民币"_s, xxedit, jelab);
        QCOMPARE(textOf(report, u"skr"_s), controlText(u"skredit"_s));
        QCOMPARE(textOf(report, u"cje"_s), u"￥10.00");
        QCOMPARE(textOf(report, u"other"_s), u"keep");
        QCOMPARE(xxedit, u"￥1000");

        // A missing template: nothing to write, nothing goes wrong.
        QVERIFY(!report.load(m_dir.filePath(u"none.fr3"_s)));
        FillSlipReport(report, true, controlText, 10, u"人民币"_s, xxedit);
        QVERIFY(report.objects().isEmpty());
    }

    void objectNamesAreInFillOrder()
    {
        QCOMPARE(ChequeObjectNames(false),
                 (QStringList{u"yxmc"_s, u"yyd"_s, u"mmd"_s, u"ddd"_s, u"fkh"_s, u"cprzh"_s, u"skr"_s, u"jedx"_s,
                              u"jexx"_s, u"yt"_s, u"mm"_s}));
        QCOMPARE(ChequeObjectNames(true).size(), 23);
        QCOMPARE(ChequeObjectNames(true).mid(11, 3), (QStringList{u"cgyx"_s, u"fjxx1"_s, u"fjxx2"_s}));
        const QStringList slip = SlipObjectNames(true);
        QCOMPARE(slip.indexOf(u"cxxje"_s), slip.indexOf(u"xxje"_s) + 1);
        QCOMPARE(slip.size(), 19 + 14);
        QCOMPARE(SlipObjectNames(false).size(), 18);
        QCOMPARE(slip.last(), u"cjz");
    }
};

QTEST_MAIN(TestReportFill)
#include "tst_reportfill.moc"

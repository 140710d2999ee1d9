#include <QTest>

#include <QFile>
#include <QSet>

#include <span>

#include "frxunits.h"
#include "report.h"
#include "reportfill.h"
#include "templatecommand.h"

using namespace Qt::StringLiterals;

// The twelve shipped templates: installed beside the executable, one page in the right
// orientation, a text object for every name the fill writes, all on the paper, none on top
// of another.
class TestTemplateFiles : public QObject
{
    Q_OBJECT

private:
    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void shippedTemplate_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("cheque");
        QTest::addColumn<bool>("withStub");
        QTest::addColumn<bool>("landscape");
        for (const char *suffix : {"hd", "zd"}) {
            const bool landscape = QByteArrayView(suffix) == "hd";
            auto row = [&](const char *stem, bool cheque, bool withStub) {
                const QString file = QLatin1StringView(stem) + QLatin1StringView(suffix) + u".fr3"_s;
                QTest::newRow(qPrintable(file)) << file << cheque << withStub << landscape;
            };
            row("gsxj", true, true);
            row("wcgzp", true, false);
            row("jzd1", false, true);
            row("jzd1wpg", false, false);
            row("jzd2", false, false);
            row("jzd3", false, true);
        }
    }

    void shippedTemplate()
    {
        QFETCH(QString, file);
        QFETCH(bool, cheque);
        QFETCH(bool, withStub);
        QFETCH(bool, landscape);

        const QString source = QStringLiteral(QINGHE_SOURCE_DIR "/resources/templates/") + file;
        const QString installed = QStringLiteral(QINGHE_PROGRAM_DIR "/") + file;
        const QByteArray bytes = read(source);
        QVERIFY(!bytes.isEmpty());
        QCOMPARE(read(installed), bytes);
        QVERIFY(bytes.startsWith("<?xml version=\"1.0\" encoding=\"utf-8\"?>"));
        QVERIFY(QString::fromUtf8(bytes).toUtf8() == bytes); // valid UTF-8

        Report report;
        QVERIFY(report.load(installed));
        QCOMPARE(report.pages().size(), 1);
        const ReportPage &page = report.pages().first();
        QCOMPARE(page.landscape, landscape);
        QCOMPARE(page.paperWidthMm > page.paperHeightMm, landscape);

        const QStringList names = cheque ? ChequeObjectNames(withStub) : SlipObjectNames(withStub);
        for (const QString &name : names)
            QVERIFY2(report.findObject(name), qPrintable(name));
        QCOMPARE(page.objects.size(), names.size());

        const QRectF paper(QPointF(0, 0), QSizeF(frx::mmToUnits(page.printableRectMm().width()),
                                                 frx::mmToUnits(page.printableRectMm().height())));
        QSet<QString> seen;
        for (const TextObject *object : page.objects) {
            QVERIFY2(!seen.contains(object->name()), qPrintable(object->name()));
            seen.insert(object->name());
            QVERIFY2(paper.contains(object->rect()), qPrintable(object->name()));
            QVERIFY(object->text().isEmpty());
            QCOMPARE(object->font().family(), u"宋体");
            for (const TextObject *other : page.objects) {
                // Touching edges are no overlap (the positions are rounded to 1/100000).
                if (other != object)
                    QVERIFY2(!object->rect().adjusted(0, 0, -0.01, -0.01).intersects(other->rect().adjusted(0, 0, -0.01, -0.01)),
                             qPrintable(object->name() + u" / "_s + other->name()));
            }
        }
    }

    void everyCommandHasItsTemplate()
    {
        for (const auto &table : {std::span<const TemplateCommand>(kChequeTemplateCommands),
                                  std::span<const TemplateCommand>(kSlipTemplateCommands)}) {
            for (const TemplateCommand &command : table) {
                if (command.isSeparator())
                    continue;
                const QString path = QStringLiteral(QINGHE_PROGRAM_DIR "/") + QString::fromUtf16(command.file);
                QVERIFY2(QFile::exists(path), qPrintable(path));
            }
        }
    }
};

QTEST_MAIN(TestTemplateFiles)
#include "tst_templatefiles.moc"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <map>

#include "apperror.h"
#include "fonts.h"
#include "mprint.h"
#include "printjob.h"
#include "printtables.h"
#include "recordingcanvas.h"

// The print job over a panel of plain controls: what is drawn where, in which font.
class TestPrintJob : public QObject
{
    Q_OBJECT

private:
    static constexpr int kDpi = 600;

    struct Fixture
    {
        QTemporaryDir dir;
        QWidget panel;
        std::map<QString, std::optional<double>> amounts;
        QString folder() const { return dir.path() + u'/'; }

        // Every item of the document as an edit at (left, top), width 142, 10 points.
        explicit Fixture(const QString &document)
        {
            int top = 10;
            for (const auto &item : printtables::printItems(document)) {
                auto *edit = new QLineEdit(&panel);
                edit->setObjectName(QString::fromUtf16(item.control));
                edit->setText(QString::fromUtf16(item.control));
                edit->setGeometry(100, top, 142, 19);
                QFont font(QStringLiteral("宋体"));
                setFontPointSize(font, 10);
                edit->setFont(font);
                top += 3;
            }
            WriteCalibrationFile(folder(), QStringLiteral("0"), QStringLiteral("0"));
        }
        QLineEdit *edit(const char *name) { return panel.findChild<QLineEdit *>(QLatin1String(name)); }
        QList<RecordingCanvas::Call> print(const QString &document, PrintJobOptions options = {})
        {
            RecordingCanvas canvas(kDpi, kDpi, 0, 0);
            printDocument(canvas, folder(), document, &panel, options,
                          [this](const QString &name) -> std::optional<double> {
                              auto it = amounts.find(name);
                              return it == amounts.end() ? std::nullopt : it->second;
                          });
            return canvas.texts();
        }
    };

    static int deviceX(long double screenPixels)
    {
        return int(mmToDeviceUnits(screenPixels / 3.78L, kDpi));
    }
    static QList<RecordingCanvas::Call> amountCalls(const QList<RecordingCanvas::Call> &texts, int y)
    {
        QList<RecordingCanvas::Call> out;
        for (const auto &c : texts)
            if (c.y == y && c.text.size() == 1)
                out.append(c);
        return out;
    }

private Q_SLOTS:
    // Cells from the right edge: one step per character, the sign one cell further left + 6 px.
    void amountDigits_data()
    {
        QTest::addColumn<double>("amount");
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("spacing");
        QTest::addColumn<QString>("characters"); // cell 0 first, then the sign
        QTest::addColumn<QList<int>>("pixels");
        QTest::newRow("1234.56 at size 10") << 1234.56 << 10 << "" << "654321￥"
                                            << QList<int>{771, 761, 751, 741, 731, 721, 707};
        QTest::newRow("zero") << 0.0 << 10 << "" << "000￥" << QList<int>{771, 761, 751, 737};
        QTest::newRow("minus five") << -5.0 << 10 << "" << "005-￥"
                                    << QList<int>{771, 761, 751, 741, 727};
        QTest::newRow("spacing 5 at size 10") << 12.0 << 10 << "5" << "0021￥"
                                              << QList<int>{771, 756, 741, 726, 702};
        QTest::newRow("half rounds away from zero") << 0.125 << 12 << "" << "310￥"
                                                    << QList<int>{771, 759, 747, 729};
    }
    void amountDigits()
    {
        QFETCH(double, amount);
        QFETCH(int, size);
        QFETCH(QString, spacing);
        QFETCH(QString, characters);
        QFETCH(QList<int>, pixels);

        Fixture f(QStringLiteral("进账单"));
        QLineEdit *jzxx = f.edit("jzxx");
        jzxx->setGeometry(629, 145, 142, 15);
        QFont font = jzxx->font();
        setFontPointSize(font, size);
        jzxx->setFont(font);
        f.amounts[QStringLiteral("jzxx")] = amount;
        const auto texts = f.print(QStringLiteral("进账单"), {false, spacing.isEmpty() ? 0 : spacing.toInt()});
        const int y = int(mmToDeviceUnits(145 / 3.78L, kDpi));
        const auto cells = amountCalls(texts, y);
        QCOMPARE(cells.size(), characters.size());
        for (int i = 0; i < cells.size(); ++i) {
            QCOMPARE(cells[i].text, QString(characters[i]));
            QCOMPARE(cells[i].x, deviceX(pixels[i]));
            QCOMPARE(cells[i].pointSize, size);
        }
    }

    void emptyAmountPrintsNothingForItsItem()
    {
        Fixture f(QStringLiteral("支票"));
        const auto texts = f.print(QStringLiteral("支票"));
        for (const auto &c : texts)
            QVERIFY(c.text != QStringLiteral("￥"));
        QCOMPARE(texts.size(), std::size(printtables::kChequeItems) - 1);
    }

    // The document name picks the items: only "进账单" is the slip.
    void documentBranch_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("slip") << "进账单" << "jzyxmc" << "cjz";
        QTest::newRow("cheque") << "支票" << "yxmc" << "hj";
        QTest::newRow("empty name") << "" << "yxmc" << "hj";
        QTest::newRow("other name") << "发票" << "yxmc" << "hj";
    }
    void documentBranch()
    {
        QFETCH(QString, document);
        QFETCH(QString, first);
        QFETCH(QString, last);
        Fixture f(document);
        const auto texts = f.print(document);
        QCOMPARE(texts.first().text, first);
        QCOMPARE(texts.last().text, last);
    }

    void stubSwitchedOff_data()
    {
        QTest::addColumn<QString>("document");
        QTest::addColumn<QString>("lastBody");
        QTest::newRow("slip") << "进账单" << "jzjz";
        QTest::newRow("cheque") << "支票" << "xxedit";
    }
    void stubSwitchedOff()
    {
        QFETCH(QString, document);
        QFETCH(QString, lastBody);
        Fixture f(document);
        const auto all = f.print(document);
        const auto body = f.print(document, {true, 0});
        QCOMPARE(body.last().text, lastBody);
        int bodyCount = 0;
        for (const auto &item : printtables::printItems(document))
            bodyCount += item.area == printtables::Area::Body && item.kind == printtables::ItemKind::Text;
        QCOMPARE(body.size(), bodyCount);
        // Nothing moves when the stub is left out.
        for (int i = 0; i < body.size(); ++i)
            QCOMPARE(body[i], all[i]);
    }

    void textItemsAtTheirTopLeftInFaceAndSizeOnly()
    {
        Fixture f(QStringLiteral("进账单"));
        QLineEdit *cpqc = f.edit("cpqc");
        cpqc->setGeometry(339, 65, 174, 19);
        QFont font(QStringLiteral("楷体"));
        setFontPointSize(font, 14);
        font.setBold(true);
        font.setItalic(true);
        cpqc->setFont(font);
        cpqc->setText(QStringLiteral("青禾贸易有限公司"));
        const auto texts = f.print(QStringLiteral("进账单"));
        auto it = std::find_if(texts.begin(), texts.end(),
                               [](const auto &c) { return c.text == QStringLiteral("青禾贸易有限公司"); });
        QVERIFY(it != texts.end());
        QCOMPARE(it->face, QStringLiteral("楷体"));
        QCOMPARE(it->pointSize, 14);
        QCOMPARE(it->x, deviceX(339));
        QCOMPARE(it->y, int(mmToDeviceUnits(65 / 3.78L, kDpi)));
    }

    void hiddenComboPrintsItsText()
    {
        Fixture f(QStringLiteral("进账单"));
        delete f.edit("jzbb");
        auto *jzbb = new QComboBox(&f.panel);
        jzbb->setObjectName(QStringLiteral("jzbb"));
        jzbb->setEditable(true);
        jzbb->setCurrentText(QStringLiteral("美元"));
        jzbb->setVisible(false);
        const auto texts = f.print(QStringLiteral("进账单"));
        QVERIFY(std::any_of(texts.begin(), texts.end(),
                            [](const auto &c) { return c.text == QStringLiteral("美元"); }));
    }

    void badCalibrationFileStopsThePrint()
    {
        Fixture f(QStringLiteral("支票"));
        QFile file(f.folder() + QStringLiteral("config.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("X=5\r\n");
        file.close();
        try {
            f.print(QStringLiteral("支票"));
            QFAIL("the print should stop");
        } catch (const AppError &e) {
            QVERIFY(e.message().contains(QStringLiteral("''")));
        }
    }
};

QTEST_MAIN(TestPrintJob)
#include "tst_printjob.moc"

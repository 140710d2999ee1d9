#include <QTest>

#include <QApplication>
#include <QMenu>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTimer>

#include "apperror.h"
#include "recordingdialogs.h"
#include "report.h"
#include "reportdesigner.h"
#include "templatecommand.h"
#include "templateprint.h"

using namespace Qt::StringLiterals;

// The template commands: the two menus' tables, the menus built from them, and a command run
// from loading to the preview or the designer.
class TestTemplatePrint : public QObject
{
    Q_OBJECT

private:
    static QString programFolder() { return QStringLiteral(QINGHE_PROGRAM_DIR "/"); }

    // Closes the modal window that a command opens, once it runs, and remembers what it saw.
    struct ModalProbe
    {
        QString objectName;
        int pages = -1;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        QObject context; // ends the polling with the probe

        void arm()
        {
            QTimer::singleShot(0, &context, [this] { probe(); });
        }
        void probe()
        {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal) {
                arm();
                return;
            }
            objectName = modal->objectName();
            if (auto *preview = modal->findChild<QPrintPreviewWidget *>()) {
                preview->updatePreview();
                pages = preview->pageCount();
                orientation = preview->orientation() == QPageLayout::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
            }
            if (auto *designer = qobject_cast<ReportDesigner *>(modal))
                pages = designer->currentPage() + 1;
            qobject_cast<QDialog *>(modal)->reject();
        }
    };

private slots:
    void chequeMenuTable()
    {
        QCOMPARE(kChequeTemplateCommands.size(), 9u);
        QCOMPARE(QString::fromUtf16(kTemplateMenuSeparator), QString(34, u'-'));
        const TemplateCommand &separator = kChequeTemplateCommands[4];
        QVERIFY(separator.isSeparator());
        QCOMPARE(QString::fromUtf16(separator.item), u"MenuItem8");
        QCOMPARE(QString::fromUtf16(separator.caption), QString(34, u'-'));
        const TemplateCommand &first = kChequeTemplateCommands[0];
        QCOMPARE(QString::fromUtf16(first.caption), u"支票打印(横打)");
        QCOMPARE(QString::fromUtf16(first.printKind), u"横打");
        QCOMPARE(QString::fromUtf16(first.file), u"gsxjhd.fr3");
        QCOMPARE(QString::fromUtf16(kChequeTemplateCommands[8].caption), u"无存根支票打印(纵打) 设置");
        // Each designer command opens the template of the print command above it.
        for (int i = 0; i < 4; ++i) {
            const TemplateCommand &print = kChequeTemplateCommands[i];
            const TemplateCommand &design = kChequeTemplateCommands[i + 5];
            QVERIFY(!print.designer && design.designer);
            QCOMPARE(QString::fromUtf16(design.caption), QString::fromUtf16(print.caption) + u" 设置"_s);
            QCOMPARE(QString::fromUtf16(design.file), QString::fromUtf16(print.file));
            QCOMPARE(QString::fromUtf16(design.printKind), QString::fromUtf16(print.printKind));
            QCOMPARE(print.withStub, !QString::fromUtf16(print.printKind).startsWith(u"无存根"));
        }
    }

    void slipMenuTable()
    {
        QCOMPARE(kSlipTemplateCommands.size(), 17u);
        QVERIFY(kSlipTemplateCommands[8].isSeparator());
        QCOMPARE(QString::fromUtf16(kSlipTemplateCommands[8].item), u"MenuItem17");
        const char16_t *items[] = {u"MenuItem13", u"MenuItem14", u"N110", u"N111", u"MenuItem15", u"MenuItem16", u"N32", u"N33",
                                   u"MenuItem17", u"MenuItem18", u"MenuItem19", u"N112", u"N113", u"MenuItem20", u"MenuItem21",
                                   u"N34", u"N35"};
        for (size_t i = 0; i < kSlipTemplateCommands.size(); ++i)
            QCOMPARE(QString::fromUtf16(kSlipTemplateCommands[i].item), QString::fromUtf16(items[i]));
        QCOMPARE(QString::fromUtf16(kSlipTemplateCommands[2].caption), u"进账单 1 打印 不打印票根(横打)");
        QCOMPARE(QString::fromUtf16(kSlipTemplateCommands[2].file), u"jzd1wpghd.fr3");
        QVERIFY(!kSlipTemplateCommands[2].withStub);
        QVERIFY(!kSlipTemplateCommands[4].withStub && !kSlipTemplateCommands[5].withStub);
        QVERIFY(kSlipTemplateCommands[6].withStub && kSlipTemplateCommands[7].withStub);
        for (int i = 0; i < 8; ++i) {
            const TemplateCommand &print = kSlipTemplateCommands[i];
            const TemplateCommand &design = kSlipTemplateCommands[i + 9];
            QVERIFY(!print.designer && design.designer && !print.printKind);
            QCOMPARE(QString::fromUtf16(design.caption), QString::fromUtf16(print.caption) + u" 设置"_s);
            QCOMPARE(QString::fromUtf16(design.file), QString::fromUtf16(print.file));
            QCOMPARE(design.withStub, print.withStub);
        }
    }

    void menuIsBuiltFromTheTable()
    {
        QMenu menu;
        menu.setObjectName(u"PopupMenu7"_s);
        QStringList ran;
        AddTemplateCommands(&menu, kChequeTemplateCommands, &menu,
                            [&ran](const TemplateCommand &command) { ran.append(QString::fromUtf16(command.item)); });
        const QList<QAction *> actions = menu.actions();
        QCOMPARE(actions.size(), 9);
        for (int i = 0; i < actions.size(); ++i) {
            QCOMPARE(actions[i]->objectName(), QString::fromUtf16(kChequeTemplateCommands[i].item));
            QCOMPARE(actions[i]->text(), QString::fromUtf16(kChequeTemplateCommands[i].caption));
        }
        actions[4]->trigger(); // the separator line does nothing
        actions[6]->trigger();
        actions[0]->trigger();
        QCOMPARE(ran, (QStringList{u"MenuItem10"_s, u"MenuItem4"_s}));
    }

    void missingTemplateStopsBeforeTheFill()
    {
        QTemporaryDir empty;
        Report report;
        bool filled = false;
        try {
            RunTemplateCommand(report, kSlipTemplateCommands[0], empty.path() + u'/', [&](Report &) { filled = true; }, nullptr);
            QFAIL("no error");
        } catch (const AppError &e) {
            QCOMPARE(e.message(), MissingTemplateMessage(empty.path() + u"/jzd1hd.fr3"_s));
            QVERIFY(e.message().contains(u"jzd1hd.fr3"));
        }
        QVERIFY(!filled);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void refusedFillOpensNothing()
    {
        Report report;
        ModalProbe probe;
        probe.arm();
        QVERIFY_THROWS_EXCEPTION(AppError, RunTemplateCommand(report, kChequeTemplateCommands[1], programFolder(),
                                                              [](Report &) { throw AppError(u"金额为空"_s); }, nullptr));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QVERIFY(probe.objectName.isEmpty());
    }

    void previewShowsTheFilledReport_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("horizontal") << 0 << true;
        QTest::newRow("vertical") << 1 << false;
    }

    void previewShowsTheFilledReport()
    {
        QFETCH(int, index);
        QFETCH(bool, landscape);
        Report report;
        ModalProbe probe;
        probe.arm();
        RunTemplateCommand(report, kChequeTemplateCommands[index], programFolder(),
                           [](Report &r) { r.setText(u"yxmc"_s, u"工商银行"_s); }, nullptr);
        QCOMPARE(probe.objectName, u"ReportPreview");
        QCOMPARE(probe.pages, 1);
        QCOMPARE(probe.orientation == QPageLayout::Landscape, landscape);
        // The report keeps the last template, filled.
        QCOMPARE(report.findObject(u"yxmc"_s)->text(), u"工商银行");
        QVERIFY(report.fileName().endsWith(QString::fromUtf16(kChequeTemplateCommands[index].file)));
    }

    void designerCommandOpensTheDesigner()
    {
        RecordingDialogs dialogs;
        Report report;
        ModalProbe probe;
        probe.arm();
        RunTemplateCommand(report, kSlipTemplateCommands[12], programFolder(), [](Report &) {}, nullptr);
        QCOMPARE(probe.objectName, u"ReportDesigner");
        QCOMPARE(probe.pages, 1);
        QVERIFY(dialogs.shown.isEmpty()); // nothing changed, nothing asked
    }
};

QTEST_MAIN(TestTemplatePrint)
#include "tst_templateprint.moc"

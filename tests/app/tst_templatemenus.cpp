#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "apperror.h"
#include "chequepage.h"
#include "queries.h"
#include "recordingdialogs.h"
#include "recordset.h"
#include "templatecommand.h"
#include "templatemenus.h"
#include "testfolder.h"
#include "tform1.h"

// The template-print commands as the main window offers them.
class TestTemplateMenus : public QObject
{
    Q_OBJECT

    // Closes whatever modal window a command opens (the preview), once it is up.
    static void closeModalSoon()
    {
        auto *timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, timer, [timer] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                modal->close();
                timer->deleteLater();
            }
        });
        timer->start(50);
    }

    static void fillCheque(TForm1 &window, double amount, const QString &currency)
    {
        RecordSet *cheques = window.queries()->zpqry;
        cheques->append();
        cheques->setValue(QStringLiteral("币别"), currency);
        cheques->setValue(QStringLiteral("金额小写"), amount);
        cheques->setValue(QStringLiteral("收款人"), QStringLiteral("青禾贸易"));
    }

private Q_SLOTS:
    void menusAsDesigned()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        auto *button = window.findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("打印&P"));
        QVERIFY(button->isHidden());
        for (auto [menuName, commands] :
             {std::pair{"PopupMenu7", std::span<const TemplateCommand>(kChequeTemplateCommands)},
              std::pair{"PopupMenu8", std::span<const TemplateCommand>(kSlipTemplateCommands)}}) {
            auto *menu = window.findChild<QMenu *>(QLatin1String(menuName));
            QVERIFY(menu);
            const QList<QAction *> actions = menu->actions();
            QCOMPARE(actions.size(), qsizetype(commands.size()));
            for (qsizetype i = 0; i < actions.size(); ++i) {
                QCOMPARE(actions[i]->objectName(), QString::fromUtf16(commands[i].item));
                QCOMPARE(actions[i]->text(), QString::fromUtf16(commands[i].caption));
            }
        }
    }

    void noCurrencyAsksForOne()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        window.FormActivate();
        fillCheque(window, 1234.5, QString());
        window.templateMenus()->BitBtn1Click();
        QCOMPARE(dialogs.lastText(), QStringLiteral("请选择币别！"));
        QCOMPARE(dialogs.shown.last().caption, QStringLiteral("信息"));
        QVERIFY(!window.templateMenus()->PopupMenu7()->isVisible());
    }

    // The hidden edits keep the texts of the last fill, so a later direct print shows them.
    void chequeCommandKeepsTheTexts()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        window.FormActivate();
        fillCheque(window, 1234.5, QStringLiteral("人民币"));
        closeModalSoon();
        window.templateMenus()->runChequeCommand(kChequeTemplateCommands[0]);
        ChequePage *page = window.chequePage();
        QCOMPARE(qobject_cast<QLineEdit *>(page->control(u"xxedit"))->text(), QStringLiteral("￥123450"));
        QCOMPARE(qobject_cast<QLineEdit *>(page->control(u"JELAB"))->text(), QStringLiteral("￥1234.50"));
        QCOMPARE(window.findChild<QLabel *>(QStringLiteral("ptype"))->text(), QStringLiteral("横打"));
    }

    void missingTemplateOpensNothing()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        window.FormActivate();
        fillCheque(window, 10, QStringLiteral("人民币"));
        QFile::remove(folder.path() + QStringLiteral("gsxjhd.fr3"));
        try {
            window.templateMenus()->runChequeCommand(kChequeTemplateCommands[0]);
            QFAIL("a missing template should stop the command");
        } catch (const AppError &e) {
            QVERIFY(e.message().contains(QStringLiteral("gsxjhd.fr3")));
        }
        QVERIFY(!QApplication::activeModalWidget());
    }
};

QTEST_MAIN(TestTemplateMenus)
#include "tst_templatemenus.moc"

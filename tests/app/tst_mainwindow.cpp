#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "apperror.h"
#include "database.h"
#include "queries.h"
#include "recordingdialogs.h"
#include "recordset.h"
#include "testfolder.h"
#include "tform1.h"
#include "tloginform.h"

// The main window: start-up, page switching, the settings panel and the record store behind it.
class TestMainWindow : public QObject
{
    Q_OBJECT

    // Start-up with the login answered: the first user (no password) logs in, or 退出.
    static bool start(TForm1 &window, bool login = true)
    {
        TloginForm *form = window.loginForm();
        QTimer::singleShot(0, form, [form, login] {
            if (login) {
                form->findChild<QComboBox *>(QStringLiteral("UID"))->setCurrentIndex(0);
                form->BitBtn1Click();
            }
            if (form->isVisible())
                form->BitBtn2Click();
        });
        return window.FormShow();
    }

private Q_SLOTS:
    void startUpOpensOnTheSlipPage()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        QVERIFY(window.isConnected());
        QVERIFY(start(window));
        window.FormActivate();
        auto *kname = window.findChild<QLineEdit *>(QStringLiteral("kname"));
        QVERIFY(kname && !kname->isVisible());
        QCOMPARE(kname->text(), QStringLiteral("进账单"));
        QCOMPARE(window.findChild<QTabWidget *>(QStringLiteral("pgc"))->currentIndex(), 0);
        QVERIFY(window.queries()->jzdqry->isOpen());
        QVERIFY(window.queries()->zpqry->isOpen());
        QVERIFY(window.queries()->sjzcpqry->isOpen());
        QVERIFY(window.queries()->sjzskqry->isOpen());
        QVERIFY(!window.queries()->szpskrqry->isOpen());
        QVERIFY(dialogs.shown.isEmpty());
        QVERIFY(QFile::exists(folder.path() + QStringLiteral("trfp.db")));
    }

    void leavingAtTheLoginEndsStartUp()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        QVERIFY(!start(window, false));
        QVERIFY(!window.isVisible());
        QVERIFY(window.findChild<QLineEdit *>(QStringLiteral("kname"))->text().isEmpty());
    }

    void settingsPanelAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("hx") << "hx" << QRect(129, 4, 32, 21);
        QTest::newRow("zx") << "zx" << QRect(207, 4, 32, 21);
        QTest::newRow("zjj") << "zjj" << QRect(324, 4, 34, 21);
        QTest::newRow("dycg") << "dycg" << QRect(8, 25, 185, 17);
        QTest::newRow("hxd") << "hxd" << QRect(267, 26, 65, 17);
        QTest::newRow("zxd") << "zxd" << QRect(328, 26, 65, 17);
        QTest::newRow("BitBtn12") << "BitBtn12" << QRect(402, 14, 75, 21);
        QTest::newRow("BitBtn11") << "BitBtn11" << QRect(494, 14, 75, 23);
    }
    void settingsPanelAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        TestFolder folder;
        TForm1 window(folder.path());
        auto *w = window.findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), QStringLiteral("Panel6"));
        QCOMPARE(w->geometry(), geometry);
        QVERIFY(window.findChild<QRadioButton *>(QStringLiteral("hxd"))->isChecked());
        QVERIFY(!window.findChild<QCheckBox *>(QStringLiteral("dycg"))->isChecked());
    }

    void pageSwitchSetsTheDocumentName()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        QVERIFY(start(window));
        window.FormActivate();
        auto *kname = window.findChild<QLineEdit *>(QStringLiteral("kname"));
        int changes = 0;
        connect(kname, &QLineEdit::textChanged, this, [&] { ++changes; });
        auto *pgc = window.findChild<QTabWidget *>(QStringLiteral("pgc"));
        pgc->setCurrentIndex(1);
        QCOMPARE(kname->text(), QStringLiteral("支票"));
        pgc->setCurrentIndex(0);
        QCOMPARE(kname->text(), QStringLiteral("进账单"));
        QCOMPARE(changes, 2);
        window.jzdShow(); // the page already shown: nothing is reloaded
        QCOMPARE(changes, 2);
    }

    void addActsOnThePageShown()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        start(window);
        window.FormActivate();
        window.BitBtn12Click();
        QCOMPARE(window.queries()->jzdqry->state(), RecordSet::State::Insert);
        QCOMPARE(window.queries()->zpqry->state(), RecordSet::State::Browse);
        window.findChild<QTabWidget *>(QStringLiteral("pgc"))->setCurrentIndex(1);
        window.BitBtn12Click();
        QCOMPARE(window.queries()->zpqry->state(), RecordSet::State::Insert);
    }

    // Enter moves to the next field in tab order; Alt+A adds on the page shown only.
    void keyboardMovesAndAccelerators()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        QVERIFY(start(window));
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.FormActivate();
        QWidget *bank = window.findChild<QWidget *>(QStringLiteral("jzyxmc"));
        bank->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), bank);
        QTest::keyClick(bank, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("yedit"));

        window.findChild<QTabWidget *>(QStringLiteral("pgc"))->setCurrentIndex(1);
        // A mnemonic presses its button after the button's short press animation.
        QTest::keyClick(window.windowHandle(), Qt::Key_A, Qt::AltModifier);
        QTRY_COMPARE(window.queries()->zpqry->state(), RecordSet::State::Insert);
        QCOMPARE(window.queries()->jzdqry->state(), RecordSet::State::Browse);
        // The slip page's save is not reachable while the cheque page is shown.
        dialogs.shown.clear();
        QTest::keyClick(window.windowHandle(), Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(dialogs.shown.size(), 1);
        QCOMPARE(window.queries()->zpqry->state(), RecordSet::State::Browse);
    }

    void activationKeepsOpenLists()
    {
        TestFolder folder;
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        start(window);
        window.FormActivate();
        RecordSet *slips = window.queries()->jzdqry;
        slips->append();
        slips->setValue(QStringLiteral("银行名称"), QStringLiteral("工行"));
        window.FormActivate();
        QCOMPARE(slips->state(), RecordSet::State::Insert);
        QCOMPARE(slips->value(QStringLiteral("银行名称")).toString(), QStringLiteral("工行"));
    }

    // A damaged database is reported, kept byte for byte, and the window works on without it.
    void damagedDatabaseIsReportedAndKept()
    {
        TestFolder folder;
        const QString path = folder.path() + QStringLiteral("trfp.db");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("not a database at all");
        }
        RecordingDialogs dialogs;
        TForm1 window(folder.path());
        QVERIFY(!window.isConnected());
        QCOMPARE(dialogs.lastKind(), QStringLiteral("error"));
        QVERIFY(dialogs.lastText().contains(path));
        start(window);
        window.FormActivate();
        // The lists are closed: the add fails with a message through the guard, nothing more.
        QVERIFY_THROWS_EXCEPTION(AppError, window.BitBtn12Click());
        QVERIFY(!window.queries()->jzdqry->isOpen());
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("not a database at all"));
    }

    // The program folder is the executable's, whatever the current folder is.
    void databaseLiesBesideTheExecutable()
    {
        QTemporaryDir programDir;
        QTemporaryDir currentDir;
        const QString exe = programDir.path() + QStringLiteral("/qinghe");
        QVERIFY(QFile::copy(QStringLiteral(QINGHE_PROGRAM_DIR "/qinghe"), exe));
        QFile::setPermissions(exe, QFile::permissions(exe) | QFileDevice::ExeOwner);
        QProcess process;
        process.setWorkingDirectory(currentDir.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        process.setProcessEnvironment(env);
        process.start(exe, {});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(programDir.path() + QStringLiteral("/trfp.db")), 20000);
        process.kill();
        process.waitForFinished();
        QVERIFY(!QFile::exists(currentDir.path() + QStringLiteral("/trfp.db")));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "recordingdialogs.h"
#include "tloginform.h"
#include "userstore.h"

namespace {

const QString kInfo = QStringLiteral("信息");
const QString kNoUser = QStringLiteral("请先选择用户ID!");
const QString kWrongPassword = QStringLiteral("密码不正确,请重新输入!");

// The login window over a store, shown without a modal loop so the test drives it.
struct Login
{
    explicit Login(UserStore &store) : form(store.userqry())
    {
        form.show();
        uid = form.findChild<QComboBox *>(QStringLiteral("UID"));
        upass = form.findChild<QLineEdit *>(QStringLiteral("upass"));
        loginButton = form.findChild<QPushButton *>(QStringLiteral("BitBtn1"));
        leaveButton = form.findChild<QPushButton *>(QStringLiteral("BitBtn2"));
    }

    void choose(int index) { uid->setCurrentIndex(index); }
    void choose(const QString &id) { choose(uid->findText(id)); }
    bool loggedIn() const { return !form.isVisible() && form.result() == QDialog::Accepted; }
    bool stillOpen() const { return form.isVisible(); }

    TloginForm form;
    QComboBox *uid;
    QLineEdit *upass;
    QPushButton *loginButton;
    QPushButton *leaveButton;
};

} // namespace

// The login window: who may pass, what the window looks like, and which keys do nothing.
class TestLoginForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void passwordCheck_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("passes");
        const QVariant null;
        QTest::newRow("null, nothing typed") << null << "" << true;
        QTest::newRow("null, a blank typed") << null << " " << false;
        QTest::newRow("null, a tab typed") << null << "\t" << false;
        QTest::newRow("empty text, nothing typed") << QVariant(QString("")) << "" << true;
        QTest::newRow("empty text, blanks typed") << QVariant(QString("")) << "   " << true;
        QTest::newRow("exact") << QVariant(QString("Secret1")) << "Secret1" << true;
        QTest::newRow("trailing blank typed") << QVariant(QString("Secret1")) << "Secret1 " << true;
        QTest::newRow("leading blank and tab typed") << QVariant(QString("Secret1")) << " \tSecret1" << true;
        QTest::newRow("blanks stored around") << QVariant(QString("  Secret1 ")) << "Secret1" << true;
        QTest::newRow("other letter case") << QVariant(QString("Secret1")) << "secret1" << false;
        QTest::newRow("inner blank counts") << QVariant(QString("Sec ret1")) << "Secret1" << false;
        QTest::newRow("shorter") << QVariant(QString("Secret1")) << "Secret" << false;
        QTest::newRow("nothing typed") << QVariant(QString("Secret1")) << "" << false;
        QTest::newRow("Chinese") << QVariant(QStringLiteral("青禾2024")) << QStringLiteral("青禾2024") << true;
        QTest::newRow("ideographic blank is not trimmed")
            << QVariant(QStringLiteral("青禾")) << QStringLiteral("青禾\u3000") << false;
    }
    void passwordCheck()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, typed);
        QFETCH(bool, passes);
        UserStore store;
        store.addUser(QStringLiteral("张三"), stored);
        RecordingDialogs dialogs;
        Login login(store);
        login.choose(QStringLiteral("张三"));
        login.upass->setText(typed);
        login.loginButton->click();
        QCOMPARE(login.loggedIn(), passes);
        if (passes) {
            QVERIFY(dialogs.shown.isEmpty());
            // The user who logged in is the current record of the shared list.
            QCOMPARE(store.userqry()->value(QStringLiteral("用户")).toString(), QStringLiteral("张三"));
        } else {
            QCOMPARE(dialogs.shown.size(), 1);
            QCOMPARE(dialogs.lastKind(), QStringLiteral("warning"));
            QCOMPARE(dialogs.shown.last().caption, kInfo);
            QCOMPARE(dialogs.lastText(), kWrongPassword);
            QVERIFY(login.stillOpen());
        }
    }

    void seedUserLogsInWithoutPassword()
    {
        UserStore store;
        RecordingDialogs dialogs;
        Login login(store);
        QCOMPARE(login.uid->count(), 1);
        login.choose(QStringLiteral("管理员"));
        login.loginButton->click();
        QVERIFY(login.loggedIn());
        QVERIFY(dialogs.shown.isEmpty());
    }

    void noUserChosen_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::newRow("nothing typed") << QString();
        QTest::newRow("a password typed") << QStringLiteral("Secret1");
    }
    void noUserChosen()
    {
        QFETCH(QString, typed);
        UserStore store;
        store.addUser(QStringLiteral("张三"), QStringLiteral("Secret1"));
        RecordingDialogs dialogs;
        Login login(store);
        QCOMPARE(login.uid->currentIndex(), -1);
        login.upass->setText(typed);
        login.loginButton->click();
        QVERIFY(login.stillOpen());
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.lastKind(), QStringLiteral("warning"));
        QCOMPARE(dialogs.shown.last().caption, kInfo);
        QCOMPARE(dialogs.lastText(), kNoUser);
        // The password is not judged and stays as typed.
        QCOMPARE(login.upass->text(), typed);
    }

    void failureKeepsTheTextSelected()
    {
        UserStore store;
        store.addUser(QStringLiteral("张三"), QStringLiteral("Secret1"));
        RecordingDialogs dialogs;
        Login login(store);
        QVERIFY(QTest::qWaitForWindowActive(&login.form));
        login.choose(QStringLiteral("张三"));
        login.upass->setText(QStringLiteral("wrong"));
        login.loginButton->setFocus();
        login.loginButton->click();
        QCOMPARE(dialogs.lastText(), kWrongPassword);
        QCOMPARE(login.form.focusWidget(), login.upass);
        QCOMPARE(login.upass->text(), QStringLiteral("wrong"));
        QCOMPARE(login.upass->selectedText(), QStringLiteral("wrong"));
        // There is no limit on attempts: the right password still passes.
        login.upass->setText(QStringLiteral("Secret1"));
        login.loginButton->click();
        QVERIFY(login.loggedIn());
    }

    void sameIdTwiceUsesTheFirstRow_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("passes");
        QTest::newRow("first entry, first password") << 0 << "first" << true;
        QTest::newRow("second entry, first password") << 1 << "first" << true;
        QTest::newRow("second entry, second password") << 1 << "second" << false;
        QTest::newRow("first entry, second password") << 0 << "second" << false;
    }
    void sameIdTwiceUsesTheFirstRow()
    {
        QFETCH(int, entry);
        QFETCH(QString, typed);
        QFETCH(bool, passes);
        UserStore store;
        store.removeAllUsers();
        store.addUser(QStringLiteral("张三"), QStringLiteral("first"));
        store.addUser(QStringLiteral("张三"), QStringLiteral("second"));
        RecordingDialogs dialogs;
        Login login(store);
        QCOMPARE(login.uid->count(), 2);
        login.choose(entry);
        QCOMPARE(store.userqry()->currentRow(), 0);
        login.upass->setText(typed);
        login.loginButton->click();
        QCOMPARE(login.loggedIn(), passes);
    }

    void listShowsEveryUserInTableOrder()
    {
        UserStore store;
        store.addUser(QStringLiteral("zhang"), {});
        store.addUser(QStringLiteral("李四"), {});
        store.addUser(QStringLiteral("Zhang"), {});
        RecordingDialogs dialogs;
        Login login(store);
        QVERIFY(store.userqry()->isOpen());
        QStringList items;
        for (int i = 0; i < login.uid->count(); ++i)
            items << login.uid->itemText(i);
        QCOMPARE(items, (QStringList{QStringLiteral("管理员"), QStringLiteral("zhang"),
                                     QStringLiteral("李四"), QStringLiteral("Zhang")}));
        QVERIFY(!login.uid->isEditable());
        QCOMPARE(login.uid->currentText(), QString());
        // Choosing an entry makes its row current; IDs are told apart by letter case.
        login.choose(3);
        QCOMPARE(store.userqry()->currentRow(), 3);
        login.choose(1);
        QCOMPARE(store.userqry()->currentRow(), 1);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void enterDoesNotLogIn()
    {
        UserStore store;
        RecordingDialogs dialogs;
        Login login(store);
        QVERIFY(QTest::qWaitForWindowActive(&login.form));
        login.choose(QStringLiteral("管理员")); // no password: an empty entry would pass
        login.upass->setFocus();
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter})
            QTest::keyClick(login.upass, key);
        // Nor on the buttons: neither is pressed by Enter, even with the focus.
        login.loginButton->setFocus();
        QTest::keyClick(login.loginButton, Qt::Key_Return);
        login.leaveButton->setFocus();
        QTest::keyClick(login.leaveButton, Qt::Key_Return);
        QVERIFY(login.stillOpen());
        QCOMPARE(login.form.result(), int(QDialog::Rejected));
        QVERIFY(dialogs.shown.isEmpty());
        QVERIFY(!login.loginButton->isDefault() && !login.leaveButton->isDefault());
    }

    void escapeAndCloseDoNotLeave()
    {
        UserStore store;
        RecordingDialogs dialogs;
        Login login(store);
        QVERIFY(QTest::qWaitForWindowActive(&login.form));
        login.upass->setFocus();
        QTest::keyClick(login.upass, Qt::Key_Escape);
        QTest::keyClick(&login.form, Qt::Key_Escape);
        QVERIFY(login.stillOpen());
        // A close request from outside (the window manager's) is refused too.
        QVERIFY(!login.form.close());
        QVERIFY(login.stillOpen());
    }

    void altKeysPressTheButtons_data()
    {
        QTest::addColumn<Qt::Key>("key");
        QTest::addColumn<bool>("loggedIn");
        QTest::newRow("Alt+L logs in") << Qt::Key_L << true;
        QTest::newRow("Alt+X leaves") << Qt::Key_X << false;
    }
    void altKeysPressTheButtons()
    {
        QFETCH(Qt::Key, key);
        QFETCH(bool, loggedIn);
        UserStore store;
        RecordingDialogs dialogs;
        Login login(store);
        QVERIFY(QTest::qWaitForWindowActive(&login.form));
        login.choose(QStringLiteral("管理员"));
        login.upass->setFocus();
        QTest::keyClick(login.upass, key, Qt::AltModifier);
        // A mnemonic presses its button visibly, so the click comes a moment later.
        QTRY_VERIFY(!login.stillOpen());
        QCOMPARE(login.form.result() == QDialog::Accepted, loggedIn);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void runReportsLoginOrLeaving_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("result");
        QTest::newRow("登录") << "BitBtn1" << true;
        QTest::newRow("退出") << "BitBtn2" << false;
    }
    void runReportsLoginOrLeaving()
    {
        QFETCH(QString, button);
        QFETCH(bool, result);
        UserStore store;
        RecordingDialogs dialogs;
        TloginForm form(store.userqry());
        QTimer::singleShot(0, &form, [&] {
            form.findChild<QComboBox *>(QStringLiteral("UID"))->setCurrentIndex(0);
            form.findChild<QPushButton *>(button)->click();
        });
        QCOMPARE(form.run(), result);
        QVERIFY(!form.isVisible());
    }

    void unopenableListLeavesOnlyLeaving()
    {
        // A connection that was never opened: the list cannot open.
        TestFolder folder(false);
        RecordingDialogs dialogs;
        RecordSet users(QStringLiteral("no such connection"), QStringLiteral("select * from usertable"),
                        QStringLiteral("usertable"));
        TloginForm form(&users);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.lastKind(), QStringLiteral("error"));
        // Each new activation tries again, but the same failure is reported only once.
        form.FormActivate();
        form.FormActivate();
        QCOMPARE(dialogs.shown.size(), 1);
        auto *uid = form.findChild<QComboBox *>(QStringLiteral("UID"));
        QCOMPARE(uid->count(), 0);
        form.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
        QCOMPARE(dialogs.lastText(), kNoUser);
        QVERIFY(form.isVisible());
        form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        QVERIFY(!form.isVisible());
        QCOMPARE(form.result(), int(QDialog::Rejected));
    }

    void windowAsDesigned()
    {
        UserStore store;
        TloginForm form(store.userqry());
        QCOMPARE(form.windowTitle(), QStringLiteral("登录"));
        QCOMPARE(form.size(), QSize(469, 320));
        QCOMPARE(form.font().family(), QStringLiteral("新宋体"));
        QCOMPARE(form.font().pixelSize(), 15);
        const Qt::WindowFlags flags = form.windowFlags();
        QVERIFY(flags & Qt::CustomizeWindowHint);
        QVERIFY(flags & Qt::WindowTitleHint);
        QVERIFY(!(flags & Qt::WindowCloseButtonHint));
        QVERIFY(!(flags & Qt::WindowSystemMenuHint));
        form.show();
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY(qAbs(form.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form.frameGeometry().center().y() - screen.center().y()) <= 1);
    }

    void controlsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QRect>("geometry"); // width and height 0: sized to the text
        QTest::newRow("Label1") << "Label1" << "用户ID:" << QRect(192, 120, 0, 0);
        QTest::newRow("UID") << "UID" << "" << QRect(264, 120, 121, 23);
        QTest::newRow("Label2") << "Label2" << "密  码：" << QRect(192, 155, 0, 0);
        QTest::newRow("upass") << "upass" << "" << QRect(264, 152, 121, 23);
        QTest::newRow("Label3") << "Label3" << "V3.8" << QRect(316, 73, 0, 0);
        QTest::newRow("Label4") << "Label4" << "专业版" << QRect(364, 73, 0, 0);
        QTest::newRow("Image2") << "Image2" << "" << QRect(40, 88, 110, 110);
        QTest::newRow("BitBtn1") << "BitBtn1" << "&L 登录" << QRect(200, 200, 90, 25);
        QTest::newRow("BitBtn2") << "BitBtn2" << "&X 退出" << QRect(304, 200, 90, 25);
    }
    void controlsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QRect, geometry);
        UserStore store;
        TloginForm form(store.userqry());
        auto *w = form.findChild<QWidget *>(name);
        QVERIFY(w);
        QCOMPARE(w->parentWidget()->objectName(), QStringLiteral("Panel1"));
        if (geometry.width() > 0)
            QCOMPARE(w->geometry(), geometry);
        else
            QCOMPARE(w->pos(), geometry.topLeft());
        if (auto *label = qobject_cast<QLabel *>(w); label && !text.isEmpty())
            QCOMPARE(label->text(), text);
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            QCOMPARE(button->text(), text);
            QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        }
    }

    void detailsAsDesigned()
    {
        UserStore store;
        TloginForm form(store.userqry());
        auto *upass = form.findChild<QLineEdit *>(QStringLiteral("upass"));
        QCOMPARE(upass->echoMode(), QLineEdit::Password);
        QCOMPARE(upass->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, upass), int(u'*'));
        auto *version = form.findChild<QLabel *>(QStringLiteral("Label3"));
        QCOMPARE(version->font().family(), QStringLiteral("Times New Roman"));
        QCOMPARE(version->font().pixelSize(), 20);
        QVERIFY(version->font().bold() && version->font().italic());
        QCOMPARE(version->palette().color(QPalette::WindowText), QColor(Qt::blue));
        auto *edition = form.findChild<QLabel *>(QStringLiteral("Label4"));
        QCOMPARE(edition->font().pixelSize(), 19);
        QVERIFY(edition->font().bold() && edition->font().italic());
        QCOMPARE(edition->palette().color(QPalette::WindowText), QColor(Qt::blue));
        auto *image = form.findChild<QLabel *>(QStringLiteral("Image2"));
        QVERIFY(!image->pixmap().isNull());
        QVERIFY(!form.findChild<QLabel *>(QStringLiteral("Panel1"))->pixmap().isNull());

        // Tab order: 登录, 退出, the password, the user ID; the focus starts on 登录.
        auto *login = form.findChild<QWidget *>(QStringLiteral("BitBtn1"));
        QCOMPARE(form.focusWidget(), login);
        QStringList order;
        QWidget *w = login;
        for (int i = 0; i < 4; ++i, w = w->nextInFocusChain()) {
            while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty())
                w = w->nextInFocusChain();
            order << w->objectName();
        }
        QCOMPARE(order, (QStringList{"BitBtn1", "BitBtn2", "upass", "UID"}));

        // The status bar's three panels.
        auto *bar = form.findChild<QStatusBar *>(QStringLiteral("StatusBar1"));
        QVERIFY(bar);
        QList<QLabel *> panels;
        for (int i = 0; i < 3; ++i)
            panels << bar->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i));
        QCOMPARE(panels[0]->width(), 60);
        QCOMPARE(panels[1]->width(), 120);
        QVERIFY(!panels[0]->text().isEmpty());
        QVERIFY(!panels[1]->text().isEmpty());
        QCOMPARE(panels[2]->text(), QStringLiteral("用户ID请选择，初始密码为空!"));
    }

    void trimBlanksRemovesOnlyBlanksAndControls()
    {
        QCOMPARE(TloginForm::trimBlanks(QStringLiteral(" \t\r\n a b \x01")), QStringLiteral("a b"));
        QCOMPARE(TloginForm::trimBlanks(QStringLiteral("\u3000a\u00a0")), QStringLiteral("\u3000a\u00a0"));
        QCOMPARE(TloginForm::trimBlanks(QStringLiteral("   ")), QString());
    }
};

QTEST_MAIN(TestLoginForm)
#include "tst_tloginform.moc"

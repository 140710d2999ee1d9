#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTableView>
#include <QTest>

#include "recordgrid.h"
#include "recordingdialogs.h"
#include "tepassform.h"
#include "tloginform.h"
#include "userstore.h"

namespace {

const QString kInfo = QStringLiteral("信息");
const QString kSaved = QStringLiteral("资料已保存!");
const QString kReallyDelete = QStringLiteral("您是否真的要删除这笔用户记录吗?");

// The administration window, shown without a modal loop so the test drives it.
struct Admin
{
    explicit Admin(UserStore &store) : form(store.userqry())
    {
        form.show();
        uedit = form.findChild<QLineEdit *>(QStringLiteral("uedit"));
        password = form.findChild<QLineEdit *>(QStringLiteral("DBEdit2"));
        zwedit = form.findChild<QLineEdit *>(QStringLiteral("zwedit"));
    }
    void press(const char *button) { form.findChild<QPushButton *>(QLatin1String(button))->click(); }

    TepassForm form;
    QLineEdit *uedit;
    QLineEdit *password;
    QLineEdit *zwedit;
};

// Logs in through the login window; true when it let the user in.
bool logIn(UserStore &store, const QString &id, const QString &password)
{
    TloginForm login(store.userqry());
    login.show();
    auto *uid = login.findChild<QComboBox *>(QStringLiteral("UID"));
    uid->setCurrentIndex(uid->findText(id));
    if (uid->currentIndex() < 0)
        return false;
    login.findChild<QLineEdit *>(QStringLiteral("upass"))->setText(password);
    login.findChild<QPushButton *>(QStringLiteral("BitBtn1"))->click();
    return !login.isVisible() && login.result() == QDialog::Accepted;
}

} // namespace

// The user administration window: adding, changing and deleting users, and what the next
// start of the program makes of it.
class TestEpassForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void addedUserLogsInAtTheNextStart()
    {
        UserStore store;
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("管理员"), QString()));
        {
            Admin admin(store);
            QVERIFY(QTest::qWaitForWindowActive(&admin.form));
            admin.press("BitBtn1");
            QCOMPARE(store.userqry()->state(), RecordSet::State::Insert);
            QCOMPARE(admin.form.focusWidget(), admin.uedit);
            QCOMPARE(admin.uedit->text(), QString());
            typeText(admin.uedit, QStringLiteral("张三"));
            admin.password->setFocus();
            QTest::keyClicks(admin.password, QStringLiteral("Secret1"));
            typeText(admin.zwedit, QStringLiteral("会计"));
            admin.press("BitBtn3");
            QCOMPARE(dialogs.shown.size(), 1);
            QCOMPARE(dialogs.lastKind(), QStringLiteral("information"));
            QCOMPARE(dialogs.shown.last().caption, kInfo);
            QCOMPARE(dialogs.lastText(), kSaved);
            QCOMPARE(store.userqry()->state(), RecordSet::State::Browse);
            admin.press("BitBtn5");
            QVERIFY(!admin.form.isVisible());
        }
        QCOMPARE(store.storedUsers(), (QStringList{QStringLiteral("管理员|<null>|管理员"),
                                                   QStringLiteral("张三|Secret1|会计")}));

        store.restart();
        QVERIFY(!logIn(store, QStringLiteral("张三"), QStringLiteral("secret1")));
        QVERIFY(!logIn(store, QStringLiteral("张三"), QString()));
        QVERIFY(logIn(store, QStringLiteral("张三"), QStringLiteral("Secret1 ")));
        QCOMPARE(dialogs.shown.size(), 3); // the save notice and the two refusals
    }

    void changedPasswordCountsAtTheNextStart()
    {
        UserStore store;
        store.addUser(QStringLiteral("张三"), QStringLiteral("old"));
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("张三"), QStringLiteral("old")));
        {
            Admin admin(store);
            admin.press("BitBtn2");
            QCOMPARE(store.userqry()->state(), RecordSet::State::Edit);
            QCOMPARE(admin.form.focusWidget(), admin.uedit);
            admin.password->selectAll();
            QTest::keyClicks(admin.password, QStringLiteral("New2"));
            admin.press("BitBtn3");
            QCOMPARE(dialogs.lastText(), kSaved);
        }
        store.restart();
        QVERIFY(!logIn(store, QStringLiteral("张三"), QStringLiteral("old")));
        QVERIFY(logIn(store, QStringLiteral("张三"), QStringLiteral("New2")));
    }

    void userWithoutPasswordStoresNull_data()
    {
        QTest::addColumn<bool>("typeAndErase");
        QTest::newRow("nothing typed") << false;
        QTest::newRow("typed and erased") << true;
    }
    void userWithoutPasswordStoresNull()
    {
        QFETCH(bool, typeAndErase);
        UserStore store;
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("管理员"), QString()));
        {
            Admin admin(store);
            admin.press("BitBtn1");
            typeText(admin.uedit, QStringLiteral("李四"));
            if (typeAndErase) {
                admin.password->setFocus();
                QTest::keyClicks(admin.password, QStringLiteral("ab"));
                QTest::keyClick(admin.password, Qt::Key_Backspace);
                QTest::keyClick(admin.password, Qt::Key_Backspace);
            }
            admin.press("BitBtn3");
        }
        QCOMPARE(store.storedUsers().last(), QStringLiteral("李四|<null>|<null>"));
        store.restart();
        QVERIFY(!logIn(store, QStringLiteral("李四"), QStringLiteral(" ")));
        QVERIFY(logIn(store, QStringLiteral("李四"), QString()));
    }

    void closingMidEditLeavesTheEditPending_data()
    {
        QTest::addColumn<QString>("closedBy");
        QTest::newRow("关闭") << "BitBtn5";
        QTest::newRow("title bar") << "";
    }
    void closingMidEditLeavesTheEditPending()
    {
        QFETCH(QString, closedBy);
        UserStore store;
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("管理员"), QString()));
        Admin admin(store);
        admin.press("BitBtn2");
        admin.zwedit->clear();
        typeText(admin.zwedit, QStringLiteral("主管"));
        // Esc is not a way out: there is no cancel button.
        QTest::keyClick(admin.zwedit, Qt::Key_Escape);
        QVERIFY(admin.form.isVisible());
        if (closedBy.isEmpty())
            QVERIFY(admin.form.close());
        else
            admin.press(closedBy.toLatin1().constData());
        QVERIFY(!admin.form.isVisible());
        // Neither saved nor dropped.
        QCOMPARE(store.userqry()->state(), RecordSet::State::Edit);
        QCOMPARE(store.storedUsers(), QStringList{QStringLiteral("管理员|<null>|管理员")});

        admin.form.show();
        QCOMPARE(store.userqry()->state(), RecordSet::State::Edit);
        QCOMPARE(admin.zwedit->text(), QStringLiteral("主管"));
        QCOMPARE(admin.uedit->text(), QStringLiteral("管理员"));
        admin.press("BitBtn3");
        QCOMPARE(store.storedUsers(), QStringList{QStringLiteral("管理员|<null>|主管")});
        QVERIFY(dialogs.shown.size() == 1 && dialogs.lastText() == kSaved);
    }

    void openingShowsTheLoggedInUser()
    {
        UserStore store;
        store.addUser(QStringLiteral("张三"), QStringLiteral("a"), QStringLiteral("会计"));
        store.addUser(QStringLiteral("李四"), QStringLiteral("b"), QStringLiteral("出纳"));
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("张三"), QStringLiteral("a")));
        Admin admin(store);
        QCOMPARE(admin.uedit->text(), QStringLiteral("张三"));
        QCOMPARE(admin.zwedit->text(), QStringLiteral("会计"));
        QCOMPARE(admin.password->text(), QStringLiteral("a"));
        QCOMPARE(admin.form.grid()->view()->currentIndex().row(), 1);

        // Clicking a row of the grid makes that user current.
        QTableView *view = admin.form.grid()->view();
        const QRect cell = view->visualRect(view->model()->index(2, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(store.userqry()->currentRow(), 2);
        QCOMPARE(admin.uedit->text(), QStringLiteral("李四"));
        QCOMPARE(admin.zwedit->text(), QStringLiteral("出纳"));
        QVERIFY(dialogs.shown.isEmpty());
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<bool>("answer");
        QTest::addColumn<QStringList>("left");
        QTest::newRow("否") << false
                           << QStringList{QStringLiteral("管理员|<null>|管理员"), QStringLiteral("张三|a|<null>")};
        QTest::newRow("是") << true << QStringList{QStringLiteral("管理员|<null>|管理员")};
    }
    void deleteAsksFirst()
    {
        QFETCH(bool, answer);
        QFETCH(QStringList, left);
        UserStore store;
        store.addUser(QStringLiteral("张三"), QStringLiteral("a"));
        RecordingDialogs dialogs;
        // The logged-in user may delete himself; the program goes on.
        QVERIFY(logIn(store, QStringLiteral("张三"), QStringLiteral("a")));
        Admin admin(store);
        dialogs.answers << answer;
        admin.press("BitBtn4");
        QCOMPARE(dialogs.shown.size(), 1);
        QCOMPARE(dialogs.lastKind(), QStringLiteral("question"));
        QCOMPARE(dialogs.shown.last().caption, kInfo);
        QCOMPARE(dialogs.lastText(), kReallyDelete);
        QCOMPARE(store.storedUsers(), left);
        QCOMPARE(store.userqry()->rowCount(), left.size());
        QVERIFY(admin.form.isVisible());
    }

    void theOnlyUserIsKept()
    {
        UserStore store;
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("管理员"), QString()));
        Admin admin(store);
        dialogs.answers << true;
        admin.press("BitBtn4");
        QCOMPARE(dialogs.shown.size(), 2);
        QCOMPARE(dialogs.lastKind(), QStringLiteral("warning"));
        QCOMPARE(dialogs.shown.last().caption, kInfo);
        QCOMPARE(store.storedUsers(), QStringList{QStringLiteral("管理员|<null>|管理员")});
        QCOMPARE(store.userqry()->rowCount(), 1);
    }

    void saveWithNothingChangedStillConfirms()
    {
        UserStore store;
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("管理员"), QString()));
        Admin admin(store);
        admin.press("BitBtn3");
        QCOMPARE(dialogs.lastText(), kSaved);
        admin.press("BitBtn2");
        admin.press("BitBtn3");
        QCOMPARE(dialogs.shown.size(), 2);
        QCOMPARE(store.userqry()->state(), RecordSet::State::Browse);
        QCOMPARE(store.storedUsers(), QStringList{QStringLiteral("管理员|<null>|管理员")});
    }

    void windowAsDesigned()
    {
        UserStore store;
        store.userqry()->open();
        TepassForm form(store.userqry());
        QCOMPARE(form.windowTitle(), QStringLiteral("增加用户、设置权限、密码"));
        QCOMPARE(form.size(), QSize(505, 361));
        QCOMPARE(form.font().family(), QStringLiteral("新宋体"));
        QCOMPARE(form.font().pixelSize(), 15);
        form.show();
        const QRect screen = form.screen()->availableGeometry();
        QVERIFY(qAbs(form.frameGeometry().center().x() - screen.center().x()) <= 1);
        QVERIFY(qAbs(form.frameGeometry().center().y() - screen.center().y()) <= 1);

        auto *password = form.findChild<QLineEdit *>(QStringLiteral("DBEdit2"));
        QCOMPARE(password->echoMode(), QLineEdit::Password);
        QCOMPARE(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, password),
                 int(u'*'));

        // The rights selector exists but nothing shows it.
        auto *rights = form.findChild<QComboBox *>(QStringLiteral("DBComboBox1"));
        QVERIFY(rights);
        QVERIFY(!rights->isVisible());
        QStringList items;
        for (int i = 0; i < rights->count(); ++i)
            items << rights->itemText(i);
        QCOMPARE(items, (QStringList{QStringLiteral("管理"), QStringLiteral("财务"), QStringLiteral("操作"), QString()}));

        // The grid: users and posts, never the password.
        RecordGrid *grid = form.grid();
        QCOMPARE(grid->objectName(), QStringLiteral("DBGridEh1"));
        QCOMPARE(grid->height(), 181);
        QCOMPARE(grid->geometry().bottom() + 1, form.findChild<QStatusBar *>()->geometry().top());
        QAbstractItemModel *model = grid->view()->model();
        QCOMPARE(model->columnCount(), 2);
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("用户"));
        QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QStringLiteral("职务"));
        QCOMPARE(model->headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), int(Qt::AlignCenter));
        QCOMPARE(grid->view()->horizontalHeader()->sectionSize(0), 120);
        QCOMPARE(grid->view()->horizontalHeader()->sectionSize(1), 100);
        QCOMPARE(grid->view()->editTriggers(), QAbstractItemView::NoEditTriggers);
        QCOMPARE(grid->columnOf(QStringLiteral("密码")), -1);

        // The status bar with three empty panels.
        auto *bar = form.findChild<QStatusBar *>(QStringLiteral("StatusBar1"));
        QVERIFY(bar);
        for (int i = 0; i < 3; ++i) {
            auto *panel = bar->findChild<QLabel *>(QStringLiteral("StatusPanel%1").arg(i));
            QVERIFY(panel && panel->isVisible() && panel->text().isEmpty());
        }
    }

    void commandsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("x");
        QTest::newRow("BitBtn1") << "BitBtn1" << "&A增加" << 8;
        QTest::newRow("BitBtn2") << "BitBtn2" << "&E修改" << 88;
        QTest::newRow("BitBtn3") << "BitBtn3" << "&S保存" << 168;
        QTest::newRow("BitBtn4") << "BitBtn4" << "&D删除" << 248;
        QTest::newRow("BitBtn5") << "BitBtn5" << "&X关闭" << 328;
    }
    void commandsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(int, x);
        UserStore store;
        TepassForm form(store.userqry());
        auto *button = form.findChild<QPushButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->parentWidget()->objectName(), QStringLiteral("Panel1"));
        QCOMPARE(button->geometry(), QRect(x, 8, 75, 25));
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
    }

    void fieldsAsDesigned_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("label");
        QTest::newRow("uedit") << "uedit" << QRect(88, 56, 121, 23) << "用户：";
        QTest::newRow("DBEdit2") << "DBEdit2" << QRect(88, 88, 121, 23) << "密码";
        QTest::newRow("zwedit") << "zwedit" << QRect(296, 56, 121, 23) << "职务：";
    }
    void fieldsAsDesigned()
    {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, label);
        UserStore store;
        TepassForm form(store.userqry());
        auto *edit = form.findChild<QLineEdit *>(name);
        QVERIFY(edit);
        QCOMPARE(edit->parentWidget(), &form);
        QCOMPARE(edit->geometry(), geometry);
        bool labelled = false;
        for (QLabel *l : form.findChildren<QLabel *>())
            labelled |= l->buddy() == edit && l->text() == label;
        QVERIFY(labelled);
    }

    void unsavedNewUserIsDropped_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<QString>("button");
        QTest::newRow("deleted") << true << "BitBtn4";
        QTest::newRow("deleted untouched") << false << "BitBtn4";
        QTest::newRow("saved untouched") << false << "BitBtn3";
    }
    void unsavedNewUserIsDropped()
    {
        QFETCH(bool, typed);
        QFETCH(QString, button);
        UserStore store;
        RecordingDialogs dialogs;
        QVERIFY(logIn(store, QStringLiteral("管理员"), QString()));
        Admin admin(store);
        admin.press("BitBtn1");
        QCOMPARE(store.userqry()->rowCount(), 2);
        if (typed)
            typeText(admin.uedit, QStringLiteral("王五"));
        dialogs.answers << true;
        admin.press(button.toLatin1().constData());
        QCOMPARE(store.userqry()->rowCount(), 1);
        QCOMPARE(store.userqry()->state(), RecordSet::State::Browse);
        QCOMPARE(admin.uedit->text(), QStringLiteral("管理员"));
        QCOMPARE(store.storedUsers(), QStringList{QStringLiteral("管理员|<null>|管理员")});
    }
};

QTEST_MAIN(TestEpassForm)
#include "tst_tepassform.moc"

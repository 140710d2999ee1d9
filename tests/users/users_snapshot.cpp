// Draws the login and the user administration windows into PNG files for a look by eye:
// users_snapshot <folder> writes <folder>/login.png and <folder>/users.png.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>

#include "database.h"
#include "fonts.h"
#include "queries.h"
#include "tepassform.h"
#include "testfolder.h"
#include "tloginform.h"

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    installFontSubstitutes();
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    TestFolder folder(false);
    store::openDatabase(folder.path());
    {
        Queries queries(store::kConnection);
        TloginForm login(queries.userqry);
        login.show();
        app.processEvents();
        login.grab().save(out + QStringLiteral("/login.png"));
        auto *uid = login.findChild<QComboBox *>(QStringLiteral("UID"));
        uid->setCurrentIndex(0);
        login.findChild<QLineEdit *>(QStringLiteral("upass"))->setText(QStringLiteral("abc"));
        app.processEvents();
        login.grab().save(out + QStringLiteral("/login-chosen.png"));
        login.hide();

        queries.userqry->append();
        queries.userqry->setValue(QStringLiteral("用户"), QStringLiteral("张三"));
        queries.userqry->setValue(QStringLiteral("密码"), QStringLiteral("123"));
        queries.userqry->setValue(QStringLiteral("职务"), QStringLiteral("会计"));
        queries.userqry->post();
        queries.userqry->moveTo(0);
        TepassForm admin(queries.userqry);
        admin.show();
        app.processEvents();
        admin.grab().save(out + QStringLiteral("/users.png"));
    }
    store::closeDatabase();
    return 0;
}

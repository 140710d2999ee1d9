// Draws the cheque page with a filled cheque into a PNG, to look at the fields over the picture.
// Usage: chequepage_snapshot [output.png]   (default /tmp/chequepage.png)

#include <QApplication>
#include <QDate>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>

#include "chequepage.h"
#include "database.h"
#include "datepicker.h"
#include "fonts.h"
#include "queries.h"
#include "recordset.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QString output = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/chequepage.png");
    installFontSubstitutes();

    QTemporaryDir dir;
    store::openDatabase(dir.path() + u'/');
    Queries queries(store::kConnection);
    queries.zpqry->open();

    ChequePage page(&queries, nullptr);
    page.resize(820, 460);
    page.show();

    page.BitBtn6Click();
    RecordSet *list = queries.zpqry;
    const auto set = [list](const char16_t *column, const QVariant &value) {
        list->setValue(QString::fromUtf16(column), value);
    };
    set(u"银行名称", QStringLiteral("中国工商银行青禾支行"));
    set(u"付款行名称", QStringLiteral("工行青禾支行"));
    set(u"出票人帐号", QStringLiteral("6222020200112233"));
    set(u"收款人", QStringLiteral("青禾贸易有限公司"));
    set(u"用途", QStringLiteral("货款"));
    set(u"金额小写", 1234.5);
    set(u"存根银行", QStringLiteral("工行青禾支行"));
    set(u"附加信息1", QStringLiteral("合同2024-17"));
    set(u"附加信息2", QStringLiteral("第二批"));
    set(u"附加信息3", QStringLiteral("附件三张"));
    set(u"单位主管", QStringLiteral("王"));
    set(u"会计", QStringLiteral("李"));
    page.datePicker()->chooseDate(QDate(2024, 3, 5));
    page.zpjeExit();
    page.findChild<QWidget *>(QStringLiteral("mm"))->setProperty("text", QStringLiteral("1234-5678-9012"));
    list->post();

    app.processEvents();
    const bool saved = page.grab().save(output);
    store::closeDatabase();
    QTextStream(stdout) << (saved ? output : QStringLiteral("not written")) << '\n';
    return saved ? 0 : 1;
}

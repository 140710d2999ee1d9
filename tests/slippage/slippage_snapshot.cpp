// Draws the deposit-slip page with a filled record into a PNG file, so it can be checked by eye
// that every field sits in its box of the form picture and the amount digits in the grid
// cells: slippage_snapshot <file.png> [--outlines]
// With --outlines every field control gets a thin blue frame, to see its box.
#include <QApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

#include "fonts.h"
#include "slipfields.h"
#include "slipfixture.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    installFontSubstitutes();
    const bool outlines = argc > 2 && QByteArray(argv[2]) == "--outlines";

    SlipFixture fx;
    SlipFixture::seed({
        {{QStringLiteral("银行名称"), QStringLiteral("工商银行")},
         {QStringLiteral("年"), QStringLiteral("2024")},
         {QStringLiteral("月"), QStringLiteral("03")},
         {QStringLiteral("日"), QStringLiteral("03")},
         {QStringLiteral("出票全称"), QStringLiteral("青禾商贸有限公司")},
         {QStringLiteral("出票帐号"), QStringLiteral("6222 0200 1234 5678")},
         {QStringLiteral("出票银行"), QStringLiteral("工行城东支行")},
         {QStringLiteral("收款全称"), QStringLiteral("江南机械制造厂")},
         {QStringLiteral("收款帐号"), QStringLiteral("3301 0087 6543 21")},
         {QStringLiteral("收款银行"), QStringLiteral("农行西湖支行")},
         {QStringLiteral("人民币大写"), QStringLiteral("壹拾贰万叁仟肆佰伍拾陆圆柒角捌分")},
         {QStringLiteral("人民币小写"), 123456.78},
         {QStringLiteral("票据种类"), QStringLiteral("支票")},
         {QStringLiteral("票据张数"), QStringLiteral("1")},
         {QStringLiteral("票据号码"), QStringLiteral("10203040")},
         {QStringLiteral("用途"), QStringLiteral("货款")},
         {QStringLiteral("复核"), QStringLiteral("张三")},
         {QStringLiteral("记账"), QStringLiteral("李四")},
         {QStringLiteral("币别"), QStringLiteral("人民币")}},
        {{QStringLiteral("银行名称"), QStringLiteral("农业银行")},
         {QStringLiteral("人民币小写"), 0.05},
         {QStringLiteral("人民币大写"), QStringLiteral("伍分")}},
    });
    DepositSlipPage *page = fx.open();
    page->resize(800, 520);
    qobject_cast<QLineEdit *>(page->control(u"xje"))->setText(QStringLiteral("附言：三月货款"));
    page->show();
    QPixmap shot = page->grab();
    if (outlines) {
        QPainter painter(&shot);
        painter.setPen(QColor(0, 0, 255, 160));
        const QPoint origin = page->formPanel()->mapTo(page, QPoint(0, 0));
        for (const FieldSpec &item : slipFields()) {
            if (!item.hidden)
                painter.drawRect(QRect(origin + QPoint(item.left, item.top),
                                       QSize(item.width - 1, item.height - 1)));
        }
    }
    return shot.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}

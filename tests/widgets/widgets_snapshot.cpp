// Draws a small window with the amount edit and a record grid into a PNG file, so the look of
// the controls can be checked by eye: widgets_snapshot <file.png>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include "database.h"
#include "digitcelledit.h"
#include "fonts.h"
#include "recordgrid.h"
#include "recordset.h"
#include "sqltexts.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    installFontSubstitutes();
    QTemporaryDir dir;
    store::openDatabase(dir.path() + u'/');
    QSqlQuery q(QSqlDatabase::database(store::kConnection));
    q.exec(QStringLiteral("delete from jzd"));
    q.exec(QStringLiteral("insert into jzd (银行名称, 出票全称, 人民币小写, 人民币大写) values "
                          "('工行', '甲公司', 1234.56, '壹仟贰佰叁拾肆圆伍角陆分'), "
                          "('农行', '乙公司', 0.05, '伍分'), ('中行', '丙公司', 200, '贰佰圆整')"));
    RecordSet list(store::kConnection, sql::kSlipList, QStringLiteral("jzd"), QStringLiteral("编号"));
    list.open();

    QWidget window;
    window.resize(520, 230);
    auto *layout = new QVBoxLayout(&window);
    auto *edit = new DigitCellEdit(&window);
    edit->setObjectName(QStringLiteral("jzxx"));
    edit->setCellWidth(12);
    edit->setFixedSize(142, 20);
    edit->bind(&list, QStringLiteral("人民币小写"));
    auto *usd = new DigitCellEdit(&window);
    usd->setCellWidth(13);
    usd->setFixedSize(153, 18);
    usd->setCurrencySymbol(QStringLiteral("USD"));
    usd->bind(&list, QStringLiteral("人民币小写"));
    layout->addWidget(new QLabel(QStringLiteral("11 cells of 12 px, 142 px wide; below: 13 px, USD"),
                                 &window));
    layout->addWidget(edit);
    layout->addWidget(usd);

    auto *grid = new RecordGrid(&window);
    grid->setObjectName(QStringLiteral("jgrid"));
    grid->bind(&list, {{QStringLiteral("银行名称"), 81},
                       {QStringLiteral("出票全称"), 90},
                       {QStringLiteral("人民币大写"), 150},
                       {QStringLiteral("人民币小写"), 90, Qt::AlignRight | Qt::AlignVCenter}});
    grid->setFooterText(2, QStringLiteral("合计："));
    grid->setFooterSum(3, QStringLiteral("人民币小写"));
    QFont footer(QStringLiteral("新宋体"));
    footer.setPixelSize(12);
    grid->setFooterFont(footer);
    grid->setFooterColor(Qt::red);
    layout->addWidget(grid);

    window.show();
    grid->setFocus(); // the amount edits show their cells while they do not hold the focus
    QApplication::processEvents();
    const QImage image = window.grab().toImage();
    // A second file, three times as large, shows the cells pixel by pixel.
    const QString path = QString::fromLocal8Bit(argv[1]);
    QString large = path;
    large.insert(large.lastIndexOf(u'.'), QStringLiteral("-x3"));
    const bool saved = image.save(path)
                       && image.scaled(image.size() * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                              .save(large);
    list.close();
    store::closeDatabase();
    return saved ? 0 : 1;
}

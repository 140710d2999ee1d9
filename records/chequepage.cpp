#include "chequepage.h"

#include "quicksearch.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include "capitals.h"
#include "chequefields.h"
#include "currency.h"
#include "datepicker.h"
#include "dialogs.h"
#include "digitcelledit.h"
#include "fieldlink.h"
#include "guard.h"
#include "picklist.h"
#include "queries.h"
#include "recordgrid.h"
#include "recordset.h"

namespace {

// Columns of table zp that the handlers write.
const QString kBank = QStringLiteral("银行名称");
const QString kYearCapitals = QStringLiteral("日期年大");
const QString kMonthCapitals = QStringLiteral("日期月大");
const QString kDayCapitals = QStringLiteral("日期日大");
const QString kYearFigures = QStringLiteral("日期年小");
const QString kMonthFigures = QStringLiteral("日期月小");
const QString kDayFigures = QStringLiteral("日期日小");
const QString kPayee = QStringLiteral("收款人");
const QString kPayingBank = QStringLiteral("付款行名称");
const QString kDrawerAccount = QStringLiteral("出票人帐号");
const QString kAmount = QStringLiteral("金额小写");
const QString kCapitals = QStringLiteral("金额大写");
const QString kCurrency = QStringLiteral("币别");

const QString kNewCurrency = QStringLiteral("人民币");
const QString kSaved = QStringLiteral("资料已经保存");
const QString kDeleteCaption = QStringLiteral("提示信息");
const QString kDeleteQuestion = QStringLiteral("您是否确定要删除这笔支票记录吗?");

// The bar's buttons: name, caption, position.
struct ButtonSpec
{
    const char16_t *name;
    const char16_t *caption;
    int left, top, width, height;
    bool hidden;
};

constexpr ButtonSpec kBarButtons[] = {
    {u"BitBtn2", u"修改&E", 335, 2, 67, 21, false},
    {u"BitBtn3", u"删除&D", 414, 2, 67, 21, false},
    {u"BitBtn4", u"保存&S", 494, 2, 68, 21, false},
    // The add command is run from the top panel of the main window.
    {u"BitBtn6", u"增加&A", 265, 2, 61, 20, true},
};

} // namespace

ChequePage::ChequePage(Queries *queries, QWidget *parent)
    : DocumentPage({u"ZP1", u"Panel4", u"Image1", u"Panel1", u":/forms/zp.jpg", 280}, queries, parent)
{
    buildFields();
    buildBar();
    buildGrid();
}

std::span<const FieldSpec> ChequePage::fields()
{
    return chequeFields();
}

RecordSet *ChequePage::list() const
{
    return m_queries->zpqry;
}

void ChequePage::buildFields()
{
    DocumentPage::buildFields(chequeFields(), list(),
                              [this](QStringView) { return m_queries->szpskrqry; });
    m_yxmc = static_cast<QLineEdit *>(control(u"yxmc"));
    m_zpje = static_cast<DigitCellEdit *>(control(u"zpje"));
    m_jedxedit = static_cast<QLineEdit *>(control(u"jedxedit"));
    m_cje = static_cast<QLineEdit *>(control(u"cje"));
    m_cjeLink = m_cje->findChild<FieldLink *>();
    m_sbb = static_cast<QComboBox *>(control(u"sbb"));
    m_zpdate = static_cast<DatePicker *>(control(u"zpdate"));
    m_szpskr = static_cast<PickList *>(control(u"szpskr"));

    connect(m_zpje, &DigitCellEdit::exited, this, [this] { guarded(this, [this] { zpjeExit(); }); });
    connect(m_zpdate, &DatePicker::userChanged, this,
            [this] { guarded(this, [this] { zpdateChange(); }); });
    connect(m_szpskr, &PickList::entered, this, [this] { guarded(this, [this] { szpskrEnter(); }); });
    connect(m_szpskr, &PickList::chosen, this,
            [this](const QString &name) { guarded(this, [&] { szpskrClick(name); }); });
    // Connected after the field link, which writes the chosen currency first.
    connect(m_sbb, &QComboBox::activated, this, [this] { guarded(this, [this] { sbbClick(); }); });
}

void ChequePage::buildBar()
{
    auto *label = new QLabel(QStringLiteral("智能查询："), m_bar);
    label->setObjectName(QStringLiteral("Label6"));
    label->move(8, 5);
    label->adjustSize();

    m_lzp = new QLineEdit(m_bar);
    m_lzp->setObjectName(QStringLiteral("lzp"));
    m_lzp->setGeometry(82, 2, 121, 21);
    connect(m_lzp, &QLineEdit::textChanged, this, [this] { guarded(this, [&] { lzpChange(); }); });

    for (const ButtonSpec &item : kBarButtons) {
        auto *button = new QPushButton(QString::fromUtf16(item.caption), m_bar);
        button->setObjectName(QString::fromUtf16(item.name));
        button->setGeometry(item.left, item.top, item.width, item.height);
        if (item.hidden)
            button->hide();
    }
    auto *remove = m_bar->findChild<QPushButton *>(QStringLiteral("BitBtn3"));
    remove->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    remove->setIconSize(QSize(14, 14));

    const auto connectButton = [this](const char16_t *name, void (ChequePage::*handler)()) {
        auto *button = m_bar->findChild<QPushButton *>(QString::fromUtf16(name));
        connect(button, &QPushButton::clicked, this,
                [this, handler] { guarded(this, [this, handler] { (this->*handler)(); }); });
    };
    connectButton(u"BitBtn2", &ChequePage::BitBtn2Click);
    connectButton(u"BitBtn3", &ChequePage::BitBtn3Click);
    connectButton(u"BitBtn4", &ChequePage::BitBtn4Click);
    connectButton(u"BitBtn6", &ChequePage::BitBtn6Click);
}

void ChequePage::buildGrid()
{
    m_grid = new RecordGrid(m_gridArea);
    m_grid->setObjectName(QStringLiteral("DBGridEh1"));
    m_gridArea->layout()->addWidget(m_grid);

    QList<GridColumn> columns;
    for (const ChequeGridColumn &item : chequeGridColumns()) {
        GridColumn column{item.name.toString(), item.width};
        if (item.name == kChequeFooterSumColumn)
            column.alignment = Qt::AlignRight | Qt::AlignVCenter; // figures line up
        columns.append(column);
    }
    m_grid->bind(list(), columns);

    QFont footerFont(QStringLiteral("新宋体"));
    footerFont.setPixelSize(12);
    m_grid->setFooterFont(footerFont);
    m_grid->setFooterColor(Qt::red);
    const QString sumColumn = kChequeFooterSumColumn.toString();
    m_grid->setFooterText(m_grid->columnOf(kChequeFooterLabelColumn.toString()),
                          QStringLiteral("合计："), Qt::AlignRight | Qt::AlignVCenter);
    m_grid->setFooterSum(m_grid->columnOf(sumColumn), sumColumn);
}

bool ChequePage::commitTypedAmounts()
{
    // A command run by its shortcut leaves the focus where it is: what is still typed in an
    // amount field goes into the record first, or the command stops at a refused text.
    if (m_cjeLink && !m_cjeLink->commit()) {
        m_cje->setFocus(Qt::OtherFocusReason);
        m_cje->selectAll();
        return false;
    }
    if (!m_zpje->commit()) {
        m_zpje->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return true;
}

void ChequePage::BitBtn6Click()
{
    if (!commitTypedAmounts())
        return;
    RecordSet *cheques = list();
    cheques->append();
    cheques->setValue(kCurrency, kNewCurrency);
    m_yxmc->setFocus(Qt::OtherFocusReason);
}

void ChequePage::BitBtn2Click()
{
    list()->edit();
}

void ChequePage::BitBtn3Click()
{
    if (!Dialogs::instance().question(this, kDeleteCaption, kDeleteQuestion))
        return;
    list()->remove();
}

void ChequePage::BitBtn4Click()
{
    if (!commitTypedAmounts())
        return;
    list()->save();
    Dialogs::instance().information(this, kInfoCaption, kSaved);
}

void ChequePage::szpskrEnter()
{
    // The payees are read afresh each time, so a cheque saved meanwhile is offered too.
    RecordSet *payees = m_queries->szpskrqry;
    payees->close();
    payees->open();
}

void ChequePage::szpskrClick(const QString &name)
{
    RecordSet *payees = m_queries->szpskrqry;
    if (!payees->locate(kPayee, name))
        return;
    RecordSet *cheques = list();
    cheques->edit();
    for (const QString &column : {kPayee, kPayingBank, kDrawerAccount})
        cheques->setValue(column, payees->value(column));
}

void ChequePage::zpjeExit()
{
    RecordSet *cheques = list();
    cheques->edit();
    const QVariant amount = cheques->value(kAmount);
    if (!amount.isNull())
        cheques->setValue(kCapitals, AmountToCapitals(amount.toDouble()));
    if (!m_sbb->currentText().isEmpty()) {
        RefreshChequeCurrency();
        return;
    }
    if (!amount.isNull())
        m_cje->setText(FormatAmount00(amount.toDouble()));
}

void ChequePage::zpdateChange()
{
    const QDate date = m_zpdate->date();
    RecordSet *cheques = list();
    // On an empty list this starts a new record, which then holds only the date.
    cheques->edit();
    cheques->setValue(kYearCapitals, YearToCapitals(date));
    cheques->setValue(kMonthCapitals, MonthToCapitals(date));
    cheques->setValue(kDayCapitals, DayToCapitals(date));
    cheques->setValue(kYearFigures, QString::number(date.year()));
    cheques->setValue(kMonthFigures, TwoDigits(date.month()));
    cheques->setValue(kDayFigures, TwoDigits(date.day()));
}

void ChequePage::RefreshChequeCurrency()
{
    const std::optional<QString> mark = CurrencyMark(m_sbb->currentText());
    if (!mark)
        return;
    m_zpje->setCurrencySymbol(*mark);
    const QVariant amount = list()->value(kAmount);
    if (!amount.isNull())
        list()->setValue(kCapitals, AmountToCapitals(amount.toDouble()));
}

void ChequePage::sbbClick()
{
    RefreshChequeCurrency();
}

void ChequePage::setPickerDate(const QDate &date)
{
    m_zpdate->setDate(date);
}

QDate ChequePage::pickerDate() const
{
    return m_zpdate->date();
}

void ChequePage::lzpChange()
{
    runQuickSearch(*list(), chequeSearch(), m_lzp->text());
}

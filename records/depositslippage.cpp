#include "depositslippage.h"

#include "quicksearch.h"

#include <algorithm>
#include <optional>
#include <vector>

#include <QApplication>
#include <QComboBox>
#include <QLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QStyle>

#include "capitals.h"
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
#include "slipfields.h"

namespace {

const QString kCurrency = QStringLiteral("币别");
const QString kAmount = QStringLiteral("人民币小写");
const QString kCapitals = QStringLiteral("人民币大写");
const QString kYear = QStringLiteral("年");
const QString kMonth = QStringLiteral("月");
const QString kDay = QStringLiteral("日");
const QString kNewCurrency = QStringLiteral("人民币");

// The controls of the bar `jepan`, left and top within the bar.
struct BarButton
{
    const char16_t *name;
    const char16_t *caption;
    int left, top, width, height;
};
constexpr BarButton kEditButton{u"BitBtn13", u"修改&E", 335, 2, 67, 21};
constexpr BarButton kDeleteButton{u"BitBtn15", u"删除&D", 414, 2, 67, 21};
constexpr BarButton kSaveButton{u"BitBtn14", u"保存&S", 494, 2, 68, 21};

QString text(QStringView view)
{
    return view.toString();
}

} // namespace

DepositSlipPage::DepositSlipPage(Queries *queries, QWidget *parent)
    : DocumentPage({u"JZ1", u"jzpan", u"jzjpg", u"jepan", u":/forms/jzd.jpg", 327}, queries, parent),
      m_list(queries->jzdqry)
{
    buildFields();
    buildBar();
    buildGrid();
}

std::span<const FieldSpec> DepositSlipPage::fields()
{
    return slipFields();
}

void DepositSlipPage::buildFields()
{
    DocumentPage::buildFields(slipFields(), m_list, [this](QStringView name) {
        return name == u"scpqc" ? m_queries->sjzcpqry : m_queries->sjzskqry;
    });
    m_jzxx = static_cast<DigitCellEdit *>(field(u"jzxx"));
    m_cjzxx = static_cast<DigitCellEdit *>(field(u"cjzxx"));
    m_jzsdate = static_cast<DatePicker *>(field(u"jzsdate"));
    m_scpqc = static_cast<PickList *>(field(u"scpqc"));
    m_sskqc = static_cast<PickList *>(field(u"sskqc"));
    m_jzbb = static_cast<QComboBox *>(field(u"jzbb"));

    for (DigitCellEdit *amount : {m_jzxx, m_cjzxx})
        connect(amount, &DigitCellEdit::exited, this, [this] { guarded(this, [&] { jzxxExit(); }); });
    connect(m_jzsdate, &DatePicker::userChanged, this,
            [this] { guarded(this, [&] { jzsdateChange(); }); });
    for (PickList *pick : {m_scpqc, m_sskqc}) {
        const bool payer = pick == m_scpqc;
        connect(pick, &PickList::entered, this, [this, payer] {
            guarded(this, [&] { payer ? scpqcEnter() : sskqcEnter(); });
        });
        connect(pick, &PickList::chosen, this, [this, payer](const QString &name) {
            guarded(this, [&] { payer ? scpqcClick(name) : sskqcClick(name); });
        });
    }
    // Only the user's doing counts: a choice is the click, typing the change. Showing another
    // record changes the text too and must not touch the record.
    connect(m_jzbb, &QComboBox::activated, this, [this] {
        guarded(this, [&] {
            jzbbClick();
            jzbbChange();
        });
    });
    connect(m_jzbb->lineEdit(), &QLineEdit::textEdited, this,
            [this] { guarded(this, [&] { jzbbChange(); }); });
}

void DepositSlipPage::buildBar()
{
    auto *label = new QLabel(QStringLiteral("智能查询："), m_bar);
    label->setObjectName(QStringLiteral("Label4"));
    label->move(8, 5);
    label->adjustSize();

    // The quick search: every change of the text searches again.
    m_lcjzd = new QLineEdit(m_bar);
    m_lcjzd->setObjectName(QStringLiteral("lcjzd"));
    m_lcjzd->setGeometry(82, 2, 121, 21);
    connect(m_lcjzd, &QLineEdit::textChanged, this, [this] { guarded(this, [&] { lcjzdChange(); }); });

    auto makeButton = [this](const BarButton &b) {
        auto *button = new QPushButton(QString::fromUtf16(b.caption), m_bar);
        button->setObjectName(QString::fromUtf16(b.name));
        button->setGeometry(b.left, b.top, b.width, b.height);
        return button;
    };
    m_edit = makeButton(kEditButton);
    m_delete = makeButton(kDeleteButton);
    m_delete->setIcon(QApplication::style()->standardIcon(QStyle::SP_TrashIcon));
    m_save = makeButton(kSaveButton);
    connect(m_edit, &QPushButton::clicked, this, [this] { guarded(this, [&] { BitBtn13Click(); }); });
    connect(m_delete, &QPushButton::clicked, this, [this] { guarded(this, [&] { BitBtn15Click(); }); });
    connect(m_save, &QPushButton::clicked, this, [this] { guarded(this, [&] { BitBtn14Click(); }); });
}

void DepositSlipPage::buildGrid()
{
    m_grid = new RecordGrid(m_gridArea);
    m_grid->setObjectName(QStringLiteral("jgrid"));
    QList<GridColumn> columns;
    for (const SlipGridColumn &c : slipGridColumns()) {
        columns.append({text(c.name), c.width,
                        c.centred ? Qt::Alignment(Qt::AlignCenter) : Qt::AlignLeft | Qt::AlignVCenter});
    }
    m_grid->bind(m_list, columns);
    m_grid->setFooterText(m_grid->columnOf(text(kSlipFooterLabelColumn)), QStringLiteral("合计："),
                          Qt::AlignCenter);
    m_grid->setFooterSum(m_grid->columnOf(text(kSlipFooterSumColumn)), text(kSlipFooterSumColumn),
                         Qt::AlignCenter);
    m_gridArea->layout()->addWidget(m_grid);
}

void DepositSlipPage::N22Click()
{
    if (!commitAmounts())
        return;
    m_list->append();
    m_list->setValue(kCurrency, kNewCurrency);
    if (QWidget *bank = control(u"jzyxmc"))
        bank->setFocus(Qt::OtherFocusReason);
}

void DepositSlipPage::BitBtn13Click()
{
    m_list->edit();
}

void DepositSlipPage::BitBtn14Click()
{
    // An amount typed but not yet written is written first; a refused one stops the save, so
    // the message about it is not followed by "saved".
    if (!commitAmounts())
        return;
    m_list->save();
    Dialogs::instance().information(this, kInfoCaption, QStringLiteral("资料已经保存"));
}

void DepositSlipPage::BitBtn15Click()
{
    if (!Dialogs::instance().question(this, QStringLiteral("提示信息"),
                                      QStringLiteral("您是否确定要删除这笔进账单记录吗?")))
        return;
    m_list->remove();
}

void DepositSlipPage::lcjzdChange()
{
    runQuickSearch(*m_list, slipSearch(), m_lcjzd->text());
}

void DepositSlipPage::reopen(RecordSet *query)
{
    query->close();
    query->open();
}

void DepositSlipPage::scpqcEnter()
{
    reopen(m_queries->sjzcpqry);
}

void DepositSlipPage::sskqcEnter()
{
    reopen(m_queries->sjzskqry);
}

void DepositSlipPage::copyParty(RecordSet *query, const QString &name)
{
    // The list shows names only: a name held with two accounts is listed twice, and either
    // entry gives the first of them.
    const QStringList &columns = query->columns();
    if (columns.isEmpty() || !query->locate(columns.first(), name))
        return;
    m_list->edit();
    for (const QString &column : columns)
        m_list->setValue(column, query->value(column));
}

void DepositSlipPage::scpqcClick(const QString &name)
{
    copyParty(m_queries->sjzcpqry, name);
}

void DepositSlipPage::sskqcClick(const QString &name)
{
    copyParty(m_queries->sjzskqry, name);
}

void DepositSlipPage::jzxxExit()
{
    m_list->edit();
    const QVariant amount = m_list->value(kAmount);
    if (!amount.isNull())
        m_list->setValue(kCapitals, AmountToCapitals(amount.toDouble()));
}

void DepositSlipPage::jzsdateChange()
{
    m_list->edit();
    const QDate date = m_jzsdate->date();
    m_list->setValue(kYear, QString::number(date.year()));
    m_list->setValue(kMonth, TwoDigits(date.month()));
    m_list->setValue(kDay, TwoDigits(date.day()));
}

void DepositSlipPage::RefreshSlipCurrency()
{
    const std::optional<QString> mark = CurrencyMark(m_jzbb->currentText());
    if (!mark)
        return;
    m_jzxx->setCurrencySymbol(*mark);
    m_cjzxx->setCurrencySymbol(*mark);
    const QVariant amount = m_list->value(kAmount);
    if (amount.isNull())
        return;
    const QString capitals = AmountToCapitals(amount.toDouble());
    if (m_list->value(kCapitals).toString() != capitals)
        m_list->setValue(kCapitals, capitals);
}

void DepositSlipPage::jzbbClick()
{
    RefreshSlipCurrency();
}

void DepositSlipPage::jzbbChange()
{
    RefreshSlipCurrency();
}

void DepositSlipPage::setPickerDate(const QDate &date)
{
    m_jzsdate->setDate(date);
}

QDate DepositSlipPage::pickerDate() const
{
    return m_jzsdate->date();
}

bool DepositSlipPage::commitAmounts()
{
    // A command run while an amount edit still holds typed text (a shortcut, the main window's
    // add button) writes it as leaving the edit would, capitals included.
    const auto amount = [this] { return m_list->isOpen() ? m_list->value(kAmount) : QVariant(); };
    const QVariant before = amount();
    if (!m_jzxx->commit() || !m_cjzxx->commit())
        return false;
    const QVariant after = amount();
    if (after.isNull() != before.isNull() || after != before)
        jzxxExit();
    return true;
}

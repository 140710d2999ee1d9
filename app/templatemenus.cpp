#include "templatemenus.h"

#include <QComboBox>
#include <QCursor>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "chequepage.h"
#include "depositslippage.h"
#include "dialogs.h"
#include "guard.h"
#include "printjob.h"
#include "recordset.h"
#include "report.h"
#include "reportfill.h"
#include "templatecommand.h"
#include "templateprint.h"

namespace {

std::optional<double> amountOf(const RecordSet *list, const QString &column)
{
    const QVariant value = list->value(column);
    if (value.isNull())
        return std::nullopt;
    return value.toDouble();
}

} // namespace

TemplateMenus::TemplateMenus(const QString &folder, DepositSlipPage *slip, ChequePage *cheque,
                             QWidget *window)
    : QObject(window), m_folder(folder), m_slip(slip), m_cheque(cheque), m_window(window),
      m_report(std::make_unique<Report>())
{
    // Present but not shown: no command shows the button.
    m_bitBtn1 = new QPushButton(QStringLiteral("打印&P"), cheque->bar());
    m_bitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    m_bitBtn1->setGeometry(575, 2, 67, 21);
    m_bitBtn1->hide();
    connect(m_bitBtn1, &QPushButton::clicked, this, [this] { guarded(m_window, [&] { BitBtn1Click(); }); });
    m_ptype = new QLabel(cheque->bar());
    m_ptype->setObjectName(QStringLiteral("ptype"));
    m_ptype->hide();

    m_popupMenu7 = new QMenu(window);
    m_popupMenu7->setObjectName(QStringLiteral("PopupMenu7"));
    AddTemplateCommands(m_popupMenu7, kChequeTemplateCommands, this,
                        [this](const TemplateCommand &c) { guarded(m_window, [&] { runChequeCommand(c); }); });
    m_popupMenu8 = new QMenu(window);
    m_popupMenu8->setObjectName(QStringLiteral("PopupMenu8"));
    AddTemplateCommands(m_popupMenu8, kSlipTemplateCommands, this,
                        [this](const TemplateCommand &c) { guarded(m_window, [&] { runSlipCommand(c); }); });
}

TemplateMenus::~TemplateMenus() = default;

void TemplateMenus::BitBtn1Click()
{
    if (m_cheque->currencyBox()->currentText().isEmpty()) {
        Dialogs::instance().information(m_window, kInfoCaption, QStringLiteral("请选择币别！"));
        return;
    }
    m_popupMenu7->popup(QCursor::pos());
}

void TemplateMenus::runChequeCommand(const TemplateCommand &command)
{
    m_ptype->setText(QString::fromUtf16(command.printKind));
    auto *xxedit = qobject_cast<QLineEdit *>(m_cheque->control(u"xxedit"));
    auto *jelab = qobject_cast<QLineEdit *>(m_cheque->control(u"JELAB"));
    RunTemplateCommand(*m_report, command, m_folder, [&](Report &report) {
        QString xx = xxedit->text();
        QString je = jelab->text();
        FillChequeReport(report, m_ptype->text(),
                         [this](const QString &name) { return controlText(m_cheque->control(name)); },
                         amountOf(m_cheque->list(), QStringLiteral("金额小写")),
                         m_cheque->currencyBox()->currentText(), xx, je);
        // The edits keep the last texts, so a later direct print shows them too.
        xxedit->setText(xx);
        jelab->setText(je);
    }, m_window);
}

void TemplateMenus::runSlipCommand(const TemplateCommand &command)
{
    auto *xxedit = qobject_cast<QLineEdit *>(m_cheque->control(u"xxedit"));
    auto *jzbb = qobject_cast<QComboBox *>(m_slip->control(u"jzbb"));
    RunTemplateCommand(*m_report, command, m_folder, [&](Report &report) {
        QString xx = xxedit->text();
        FillSlipReport(report, command.withStub,
                       [this](const QString &name) { return controlText(m_slip->control(name)); },
                       amountOf(m_slip->list(), QStringLiteral("人民币小写")),
                       jzbb ? jzbb->currentText() : QString(), xx);
        xxedit->setText(xx);
    }, m_window);
}

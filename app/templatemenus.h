#pragma once

#include <QObject>

#include <memory>

class ChequePage;
class DepositSlipPage;
class QLabel;
class QMenu;
class QPushButton;
class Report;
struct TemplateCommand;

// The template-print commands of the main window: the cheque page's hidden button `BitBtn1`
// with its menu `PopupMenu7`, the deposit-slip menu `PopupMenu8` (attached to no control), the
// print kind `ptype`, and the report the commands fill.
class TemplateMenus : public QObject
{
    Q_OBJECT

public:
    TemplateMenus(const QString &folder, DepositSlipPage *slip, ChequePage *cheque,
                  QWidget *window);
    ~TemplateMenus() override;

    QMenu *PopupMenu7() const { return m_popupMenu7; }
    QMenu *PopupMenu8() const { return m_popupMenu8; }

    // "请选择币别！" when the cheque shows no currency, else the cheque template menu.
    void BitBtn1Click();
    // One command of either menu (MenuItem4Click ... N35Click are these, by item).
    void runChequeCommand(const TemplateCommand &command);
    void runSlipCommand(const TemplateCommand &command);

private:
    QString m_folder;
    DepositSlipPage *m_slip;
    ChequePage *m_cheque;
    QWidget *m_window;
    std::unique_ptr<Report> m_report;
    QPushButton *m_bitBtn1 = nullptr;
    QLabel *m_ptype = nullptr;
    QMenu *m_popupMenu7 = nullptr;
    QMenu *m_popupMenu8 = nullptr;
};

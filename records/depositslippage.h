#pragma once

#include <QDate>
#include <QString>
#include <QStringView>

#include <span>

#include "documentpage.h"
#include "fieldspec.h"

class DatePicker;
class DigitCellEdit;
class PickList;
class QComboBox;
class QLineEdit;
class QPushButton;
class RecordGrid;
class RecordSet;

// The deposit-slip page: the slip's fields over the picture of the paper form (body and stub),
// the bar with the quick search edit and the edit, delete and save commands, and the grid of
// the stored slips with the total of their amounts. Every control is built from the field
// table (slipfields.h) and shows the current record of the slip list `jzdqry`.
//
// The handlers are public so the main window and the tests run them as the controls do; each
// throws AppError on failure, and every connection runs them through guarded().
class DepositSlipPage : public DocumentPage
{
    Q_OBJECT

public:
    DepositSlipPage(Queries *queries, QWidget *parent);

    // The field table of the page (the same as slipFields()).
    static std::span<const FieldSpec> fields();
    RecordGrid *grid() const { return m_grid; }
    RecordSet *list() const { return m_list; }

    // Add: a new record, currency "人民币", the cursor in the bank name.
    void N22Click();
    // Edit: the current record into edit state.
    void BitBtn13Click();
    // Save: writes the list, then "资料已经保存".
    void BitBtn14Click();
    // Delete: asks, and on 是 deletes the current record from the list and the database.
    void BitBtn15Click();

    // The pick lists received the focus: their lists are read again.
    void scpqcEnter();
    void sskqcEnter();
    // A name was chosen: the first party of that name (in list order) is copied into the slip.
    void scpqcClick(const QString &name);
    void sskqcClick(const QString &name);

    // Leaving either amount edit: the amount in capitals into 人民币大写.
    void jzxxExit();
    // The user changed the date picker: 年, 月, 日 of the current record.
    void jzsdateChange();
    // The currency marks of both amount edits and the capital text, from the currency shown.
    void RefreshSlipCurrency();
    void jzbbClick();
    void jzbbChange();
    // The quick search text changed.
    void lcjzdChange();

    // Sets the date picker from the program: writes nothing into the record.
    void setPickerDate(const QDate &date);
    QDate pickerDate() const;

private:
    void buildFields();
    void buildBar();
    void buildGrid();
    // Reads a pick list's query again.
    static void reopen(RecordSet *query);
    // Copies the first party of that name in query (its three columns) into the slip.
    void copyParty(RecordSet *query, const QString &name);
    // Writes a typed amount still held by an amount edit; false after a refusal.
    bool commitAmounts();

    RecordSet *m_list;
    DigitCellEdit *m_jzxx = nullptr;
    DigitCellEdit *m_cjzxx = nullptr;
    QComboBox *m_jzbb = nullptr;
    DatePicker *m_jzsdate = nullptr;
    PickList *m_scpqc = nullptr;
    PickList *m_sskqc = nullptr;
    QLineEdit *m_lcjzd = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_save = nullptr;
    RecordGrid *m_grid = nullptr;
};

#pragma once

#include <QDate>
#include <QHash>
#include <QString>

#include <span>

#include "documentpage.h"
#include "fieldspec.h"

class DatePicker;
class DigitCellEdit;
class FieldLink;
class PickList;
class QComboBox;
class QLineEdit;
class QPushButton;
class RecordGrid;
class RecordSet;

// The cheque page (tab "支票打印"): one record of table zp per cheque, shown by the fields over
// the picture of the paper cheque, with the bar (quick search edit, edit, delete, save) and the
// grid of the stored cheques with the total of their amounts.
//
// Every control carries its name as objectName. The handlers are public so that the main window
// and the tests run them as the controls do; each control runs its handler through guarded(),
// so a failure shows its message and the page goes on working.
class ChequePage : public DocumentPage
{
    Q_OBJECT

public:
    ChequePage(Queries *queries, QWidget *parent);

    // The field table the page is built from.
    static std::span<const FieldSpec> fields();

    // The cheque list zpqry the page shows.
    RecordSet *list() const;
    DigitCellEdit *amountEdit() const { return m_zpje; }
    QLineEdit *capitalEdit() const { return m_jedxedit; }
    QLineEdit *stubAmountEdit() const { return m_cje; }
    QComboBox *currencyBox() const { return m_sbb; }
    DatePicker *datePicker() const { return m_zpdate; }
    PickList *payeePicker() const { return m_szpskr; }
    // The quick search edit `lzp` of the bar; its handler is connected by the quick search.
    QLineEdit *searchEdit() const { return m_lzp; }
    RecordGrid *grid() const { return m_grid; }

    // Add: posts a changed record, appends a new one with the currency "人民币" and puts the
    // cursor into the bank name.
    void BitBtn6Click();
    // Edit: puts the current record into edit state.
    void BitBtn2Click();
    // Delete: asks, and on 是 deletes the current record from the list and the database.
    void BitBtn3Click();
    // Save: writes the changed record and says "资料已经保存".
    void BitBtn4Click();

    // The payee pick list received the focus: reads the payees of the stored cheques afresh.
    void szpskrEnter();
    // A payee was chosen: payee, paying bank and drawer's account of the first stored cheque
    // with that payee replace those of the current cheque.
    void szpskrClick(const QString &name);

    // Leaving the amount: the amount in capitals, then the currency mark or the stub amount.
    void zpjeExit();
    // The user chose a date in zpdate: the six date columns of the current cheque.
    void zpdateChange();
    // The quick search text changed.
    void lzpChange();
    // Mark of zpje and the capital text, from the currency shown by sbb.
    void RefreshChequeCurrency();
    void sbbClick();

    // Sets the date picker from the program: writes nothing into the record.
    void setPickerDate(const QDate &date);
    QDate pickerDate() const;

private:
    void buildFields();
    void buildBar();
    void buildGrid();
    // Writes what is still typed in the number fields; false when a text was refused.
    bool commitTypedAmounts();

    QLineEdit *m_yxmc = nullptr;
    DigitCellEdit *m_zpje = nullptr;
    QLineEdit *m_jedxedit = nullptr;
    QLineEdit *m_cje = nullptr;
    FieldLink *m_cjeLink = nullptr;
    QComboBox *m_sbb = nullptr;
    DatePicker *m_zpdate = nullptr;
    PickList *m_szpskr = nullptr;
    QLineEdit *m_lzp = nullptr;
    RecordGrid *m_grid = nullptr;
};

#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QComboBox;
class QLineEdit;
class RecordSet;

// Binds an edit (or an editable combo box) to one column of a record list: the control shows
// the current record's value, and typing puts the record into edit state and writes the column.
//
// Text columns are written at every keystroke, so a second control on the same column follows
// at once. Number columns are written when the control is left: a text that is not a number is
// refused with a message, the focus stays in the control and the stored value is unchanged.
class FieldLink : public QObject
{
    Q_OBJECT

public:
    enum class Kind { Text, Number };

    static FieldLink *bind(QLineEdit *edit, RecordSet *list, const QString &column,
                           Kind kind = Kind::Text);
    static FieldLink *bind(QComboBox *combo, RecordSet *list, const QString &column);

    const QString &column() const { return m_column; }
    RecordSet *list() const { return m_list; }
    // Shows the current record's value again.
    void refresh();
    // Writes a pending number text; false (after the message) when it is not a number.
    bool commit();

    // The text a value is shown as: numbers without needless zeros, null as empty.
    static QString displayText(const QVariant &value);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FieldLink(QWidget *control, QLineEdit *edit, RecordSet *list, QString column, Kind kind);
    void userEdited(const QString &text);

    QPointer<QWidget> m_control;
    QPointer<QLineEdit> m_edit;
    RecordSet *m_list;
    QString m_column;
    Kind m_kind;
    bool m_designedReadOnly = false;
    bool m_pending = false;
};

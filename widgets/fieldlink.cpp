#include "fieldlink.h"

#include <QComboBox>
#include <QEvent>
#include <QLineEdit>

#include "dialogs.h"
#include "guard.h"
#include "recordset.h"

FieldLink *FieldLink::bind(QLineEdit *edit, RecordSet *list, const QString &column, Kind kind)
{
    return new FieldLink(edit, edit, list, column, kind);
}

FieldLink *FieldLink::bind(QComboBox *combo, RecordSet *list, const QString &column)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    auto *link = new FieldLink(combo, combo->lineEdit(), list, column, Kind::Text);
    // Choosing an item writes it like typing does.
    QObject::connect(combo, &QComboBox::activated, link,
                     [link, combo](int) { link->userEdited(combo->currentText()); });
    return link;
}

FieldLink::FieldLink(QWidget *control, QLineEdit *edit, RecordSet *list, QString column, Kind kind)
    : QObject(control), m_control(control), m_edit(edit), m_list(list), m_column(std::move(column)),
      m_kind(kind), m_designedReadOnly(edit->isReadOnly())
{
    connect(edit, &QLineEdit::textEdited, this, &FieldLink::userEdited);
    connect(list, &RecordSet::valuesChanged, this, &FieldLink::refresh);
    connect(list, &RecordSet::currentChanged, this, &FieldLink::refresh);
    connect(list, &RecordSet::listReset, this, &FieldLink::refresh);
    connect(list, &RecordSet::stateChanged, this, &FieldLink::refresh);
    if (m_kind == Kind::Number)
        edit->installEventFilter(this);
    refresh();
}

QString FieldLink::displayText(const QVariant &value)
{
    if (value.isNull())
        return {};
    if (value.typeId() == QMetaType::Double)
        return QString::number(value.toDouble(), 'g', 15);
    return value.toString();
}

void FieldLink::refresh()
{
    if (!m_edit)
        return;
    // The edit holds its own number text until it is written or dropped.
    if (m_pending && m_list->isEditing())
        return;
    m_pending = false;
    m_edit->setReadOnly(m_designedReadOnly || !m_list->isOpen());
    const QString text = displayText(m_list->value(m_column));
    if (m_edit->text() != text) {
        if (auto *combo = qobject_cast<QComboBox *>(m_control.data()))
            combo->setCurrentText(text);
        else
            m_edit->setText(text);
    }
}

void FieldLink::userEdited(const QString &text)
{
    guarded(m_control, [&] {
        if (m_kind == Kind::Number) {
            // Pending first: starting the edit shows the record again, which must not
            // overwrite the text being typed.
            m_pending = true;
            m_list->edit();
            return;
        }
        m_list->setValue(m_column, text);
    });
}

bool FieldLink::commit()
{
    if (!m_pending || !m_edit)
        return true;
    const QString text = m_edit->text().trimmed();
    QVariant value;
    if (!text.isEmpty()) {
        bool ok = false;
        const double number = text.toDouble(&ok);
        if (!ok) {
            Dialogs::instance().error(
                m_control, QStringLiteral("“%1”不是有效的数字，请重新输入。").arg(m_edit->text()));
            return false;
        }
        value = number;
    }
    m_pending = false;
    return guarded(m_control, [&] { m_list->setValue(m_column, value); });
}

bool FieldLink::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::FocusOut && m_pending) {
        if (!commit()) {
            m_edit->setFocus();
            m_edit->selectAll();
        }
    }
    return QObject::eventFilter(watched, event);
}

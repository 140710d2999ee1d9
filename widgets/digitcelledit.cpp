#include "digitcelledit.h"

#include <cmath>

#include <QFocusEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "capitals.h"
#include "dialogs.h"
#include "fieldlink.h"
#include "guard.h"
#include "recordset.h"

DigitCellEdit::DigitCellEdit(QWidget *parent) : QLineEdit(parent)
{
    setFrame(false);
    connect(this, &QLineEdit::textEdited, this, &DigitCellEdit::userEdited);
}

void DigitCellEdit::bind(RecordSet *list, const QString &column)
{
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = list;
    m_column = column;
    m_pending = false;
    connect(list, &RecordSet::valuesChanged, this, &DigitCellEdit::refresh);
    connect(list, &RecordSet::currentChanged, this, &DigitCellEdit::refresh);
    connect(list, &RecordSet::listReset, this, &DigitCellEdit::refresh);
    connect(list, &RecordSet::stateChanged, this, &DigitCellEdit::refresh);
    refresh();
}

void DigitCellEdit::setCellCount(int count)
{
    m_cellCount = qMax(1, count);
    update();
}

void DigitCellEdit::setCellWidth(int width)
{
    m_cellWidth = qMax(1, width);
    update();
}

void DigitCellEdit::setCurrencySymbol(const QString &symbol)
{
    m_currencySymbol = symbol;
    update();
}

void DigitCellEdit::setCellLinesVisible(bool visible)
{
    m_cellLinesVisible = visible;
    update();
}

void DigitCellEdit::refresh()
{
    // A typed amount stays in the edit until it is written or the record stops being edited.
    if (m_pending && m_list && m_list->isEditing())
        return;
    m_pending = false;
    showStoredValue();
}

void DigitCellEdit::showStoredValue()
{
    const bool open = m_list && m_list->isOpen();
    setReadOnly(!open);
    const QString text = open ? FieldLink::displayText(m_list->value(m_column)) : QString();
    if (this->text() != text)
        setText(text);
    update();
}

void DigitCellEdit::userEdited()
{
    if (!m_list)
        return;
    // Pending first: starting the edit refreshes the controls bound to the list, and this one
    // must keep what is being typed.
    m_pending = true;
    if (!guarded(this, [&] { m_list->edit(); })) {
        m_pending = false;
        showStoredValue();
    }
}

bool DigitCellEdit::commit()
{
    if (!m_pending || !m_list)
        return true;
    const QString typed = text();
    const QString trimmed = typed.trimmed();
    QVariant value;
    if (!trimmed.isEmpty()) {
        bool ok = false;
        const double amount = trimmed.toDouble(&ok);
        QString refusal;
        if (!ok || !std::isfinite(amount))
            refusal = QStringLiteral("“%1”不是有效的金额，请输入数字。").arg(typed);
        else if (amount < 0)
            refusal = QStringLiteral("金额不能是负数，请重新输入。");
        else if (!IsConvertibleAmount(amount))
            refusal = QStringLiteral("金额“%1”太大，大写金额只能写到一万亿圆以下，请重新输入。").arg(typed);
        // Capitals and printed figures must read the same amount: no part of a fen.
        else if (QString::number(amount, 'f', 2).toDouble() != amount)
            refusal = QStringLiteral("金额“%1”最多只能有两位小数（到分），请重新输入。").arg(typed);
        // Every figure must find its cell on the form.
        else if (cellCharacters(amount).size() > m_cellCount)
            refusal = QStringLiteral("金额“%1”超出票面的金额格（%2 格），请重新输入。")
                          .arg(typed)
                          .arg(m_cellCount);
        if (!refusal.isEmpty()) {
            m_pending = false;
            Dialogs::instance().error(this, refusal);
            showStoredValue();
            return false;
        }
        value = amount + 0.0; // no negative zero
    }
    m_pending = false;
    const bool written = guarded(this, [&] { m_list->setValue(m_column, value); });
    if (!written)
        showStoredValue();
    else
        update();
    return written;
}

void DigitCellEdit::focusInEvent(QFocusEvent *event)
{
    QLineEdit::focusInEvent(event);
    update();
}

void DigitCellEdit::focusOutEvent(QFocusEvent *event)
{
    QLineEdit::focusOutEvent(event);
    update();
    // Switching to another window or opening a context menu does not leave the edit.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (!commit()) {
        setFocus(Qt::OtherFocusReason);
        selectAll();
        return;
    }
    Q_EMIT exited();
}

QString DigitCellEdit::cellCharacters(const QVariant &amount)
{
    if (amount.isNull())
        return {};
    bool ok = false;
    const double value = amount.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return {};
    // "0.00": Qt rounds the exact binary value, a tie away from zero.
    QString text = QString::number(value, 'f', 2);
    text.remove(text.size() - 3, 1);
    return text;
}

QList<QRect> DigitCellEdit::characterCells(int characterCount, const QRect &area, int cellWidth)
{
    QList<QRect> cells;
    cells.reserve(characterCount);
    const int right = area.x() + area.width();
    for (int i = 0; i < characterCount; ++i) {
        const int k = characterCount - 1 - i;
        cells.append(QRect(right - (k + 1) * cellWidth, area.y(), cellWidth, area.height()));
    }
    return cells;
}

QRect DigitCellEdit::markCell(int characterCount, const QRect &area, int cellWidth, int markWidth)
{
    if (characterCount <= 0)
        return {};
    const int width = qMax(cellWidth, markWidth);
    const int right = area.x() + area.width() - characterCount * cellWidth;
    return QRect(right - width, area.y(), width, area.height());
}

void DigitCellEdit::paintEvent(QPaintEvent *event)
{
    if (hasFocus()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);

    const QRect area = rect();
    // A typed amount not yet written (the window lost the focus meanwhile) is shown as typed.
    QVariant amount;
    if (m_pending) {
        bool ok = false;
        const double typed = text().trimmed().toDouble(&ok);
        if (ok)
            amount = typed;
    } else if (m_list && m_list->isOpen()) {
        amount = m_list->value(m_column);
    }
    const QString characters = cellCharacters(amount);
    const int count = int(characters.size());
    const QRect mark = m_currencySymbol.isEmpty()
                           ? QRect()
                           : markCell(count, area, m_cellWidth,
                                      fontMetrics().horizontalAdvance(m_currencySymbol));

    if (m_cellLinesVisible) {
        QColor line = palette().color(QPalette::Text);
        line.setAlpha(40);
        painter.setPen(line);
        const int right = area.x() + area.width();
        for (int k = 1; k < m_cellCount; ++k) {
            const int x = right - k * m_cellWidth;
            // No line runs through a mark wider than its cell.
            const bool underMark = mark.isValid() && x > mark.left() && x < mark.right();
            if (x > area.x() && !underMark)
                painter.drawLine(x, area.top(), x, area.bottom());
        }
    }

    if (characters.isEmpty())
        return;
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                   QPalette::Text));
    const QList<QRect> cells = characterCells(count, area, m_cellWidth);
    for (int i = 0; i < count; ++i)
        painter.drawText(cells[i], Qt::AlignCenter, QString(characters[i]));
    if (mark.isValid())
        painter.drawText(mark, Qt::AlignCenter, m_currencySymbol);
}

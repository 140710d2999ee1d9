#pragma once

#include <QLineEdit>
#include <QList>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QVariant>

#include "recordset.h"

// The amount edit of a bank form: bound to a REAL column of a record list, it shows the amount
// one character per cell, filled from the right edge, with the currency mark before the first
// digit, as the amount is printed into the form's amount grid. While it has the focus it edits
// the amount as a plain number text.
//
// Typing puts the record into edit state; the text is written when the edit is left. An empty
// text stores null. A text that is not a number, a negative amount or one too large to be
// written in capitals is refused with a message: the stored value stays, the text is shown
// again from the record and the focus returns to the edit. After every accepted leave,
// changed or not, exited() is emitted.
class DigitCellEdit : public QLineEdit
{
    Q_OBJECT
    Q_PROPERTY(int cellCount READ cellCount WRITE setCellCount)
    Q_PROPERTY(int cellWidth READ cellWidth WRITE setCellWidth)
    Q_PROPERTY(QString currencySymbol READ currencySymbol WRITE setCurrencySymbol)
    Q_PROPERTY(bool cellLinesVisible READ cellLinesVisible WRITE setCellLinesVisible)

public:
    explicit DigitCellEdit(QWidget *parent = nullptr);

    void bind(RecordSet *list, const QString &column);
    RecordSet *list() const { return m_list; }
    const QString &column() const { return m_column; }

    int cellCount() const { return m_cellCount; }
    void setCellCount(int count);
    int cellWidth() const { return m_cellWidth; }
    void setCellWidth(int width);
    const QString &currencySymbol() const { return m_currencySymbol; }
    void setCurrencySymbol(const QString &symbol);
    // Faint lines between the digit cells (on by default).
    bool cellLinesVisible() const { return m_cellLinesVisible; }
    void setCellLinesVisible(bool visible);

    // Shows the current record's value again (drops nothing: a pending text is kept while the
    // record is being edited).
    void refresh();
    // Writes a pending text into the record. False, after the refusal message, when the text
    // is not an acceptable amount; the text then shows the stored value again.
    bool commit();

    // The characters put into the cells: the amount with two decimals (halves away from
    // zero) without the decimal point, so the last two are jiao and fen. Null gives "".
    static QString cellCharacters(const QVariant &amount);
    // The cell of each of characterCount characters, in reading order: cell k, counted from
    // the right, spans [right edge - (k+1)*cellWidth, right edge - k*cellWidth) of area.
    static QList<QRect> characterCells(int characterCount, const QRect &area, int cellWidth);
    // Where the currency mark goes: the cell just before the first character, widened to
    // the left when the mark is wider than a cell. Empty when there are no characters.
    static QRect markCell(int characterCount, const QRect &area, int cellWidth, int markWidth);

Q_SIGNALS:
    // The edit was left and its text accepted (or nothing was typed).
    void exited();

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void userEdited();
    void showStoredValue();

    QPointer<RecordSet> m_list;
    QString m_column;
    int m_cellCount = 11;
    int m_cellWidth = 12;
    QString m_currencySymbol = QStringLiteral("￥");
    bool m_cellLinesVisible = true;
    bool m_pending = false;
};

#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

#include "recordset.h"
#include "recordtablemodel.h"

class QTableView;

// The record grid of a page: a read-only table of a record list (child "view") and a one-row
// footer under it (child "footer"). Clicking a row, or moving with the keys, makes that row the
// current record; the grid follows the list's current record in turn. Footer cells hold a
// fixed text or the live sum of a column of the list, drawn under their columns whatever the
// scrolling or the column widths.
class RecordGrid : public QWidget
{
    Q_OBJECT

public:
    explicit RecordGrid(QWidget *parent = nullptr);
    ~RecordGrid() override;

    void bind(RecordSet *list, const QList<GridColumn> &columns);
    RecordSet *list() const { return m_list; }
    QTableView *view() const { return m_view; }
    RecordTableModel *model() const { return m_model; }
    QWidget *footer() const { return m_footer; }
    // The table column showing the list column name; -1 when none does.
    int columnOf(const QString &name) const;

    // Footer cells, by table column.
    void setFooterText(int column, const QString &text,
                       Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
    // The sum of sumColumn over the list with two decimals; empty while the list is closed or
    // has no rows.
    void setFooterSum(int column, const QString &sumColumn,
                      Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter);
    void clearFooter(int column);
    QString footerText(int column) const;
    Qt::Alignment footerAlignment(int column) const;
    // The rectangle of a footer cell in the footer's coordinates (unclipped).
    QRect footerCellRect(int column) const;

    QFont footerFont() const { return m_footerFont; }
    void setFooterFont(const QFont &font);
    QColor footerColor() const { return m_footerColor; }
    void setFooterColor(const QColor &color);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct FooterCell
    {
        enum class Kind { None, Text, Sum } kind = Kind::None;
        QString text;      // the fixed text, or the list column summed
        Qt::Alignment alignment = Qt::AlignRight | Qt::AlignVCenter;
    };

    void listChanged();
    void currentValuesChanged();
    void followList();
    void userMovedTo(int row);
    void updateSums() const;
    void paintFooter();
    FooterCell *cell(int column);

    QPointer<RecordSet> m_list;
    QTableView *m_view;
    RecordTableModel *m_model;
    QWidget *m_footer;
    QList<FooterCell> m_cells;
    QFont m_footerFont;
    QColor m_footerColor;
    bool m_following = false;

    // Sums are worked out again only after the list changed, and only when shown.
    mutable bool m_sumsDirty = true;
    mutable QList<QString> m_sumTexts;
    // The summed values of the current record as last seen, to tell whether typing touched them.
    int m_seenRow = -1;
    QList<QVariant> m_seenValues;
};

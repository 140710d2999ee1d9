#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPointer>
#include <QString>

#include "recordset.h"

// One column of a record table: the record list's column shown, its width in pixels and the
// alignment of its values. The title is the column name.
struct GridColumn
{
    QString name;
    int width = 80;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// The rows of a record list as a read-only table, one table column per GridColumn. The model
// reads the values from the list on demand and holds none of them, so a long list costs
// nothing until its rows are shown.
class RecordTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit RecordTableModel(QObject *parent = nullptr);

    void bind(RecordSet *list, const QList<GridColumn> &columns);
    RecordSet *list() const { return m_list; }
    const QList<GridColumn> &columns() const { return m_columns; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    void listReset();
    void rowChanged(int row);
    void resolveColumns();

    QPointer<RecordSet> m_list;
    QList<GridColumn> m_columns;
    QList<int> m_listColumns; // index of each table column in the list, -1 when missing
};

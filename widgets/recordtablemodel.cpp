#include "recordtablemodel.h"

#include "fieldlink.h"
#include "recordset.h"

RecordTableModel::RecordTableModel(QObject *parent) : QAbstractTableModel(parent) {}

void RecordTableModel::bind(RecordSet *list, const QList<GridColumn> &columns)
{
    beginResetModel();
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = list;
    m_columns = columns;
    if (m_list) {
        connect(m_list, &RecordSet::listReset, this, &RecordTableModel::listReset);
        connect(m_list, &RecordSet::rowChanged, this, &RecordTableModel::rowChanged);
        // Typing changes the shown values of the current record.
        connect(m_list, &RecordSet::valuesChanged, this,
                [this] { rowChanged(m_list->currentRow()); });
    }
    resolveColumns();
    endResetModel();
}

void RecordTableModel::resolveColumns()
{
    m_listColumns.clear();
    for (const GridColumn &column : std::as_const(m_columns))
        m_listColumns.append(m_list ? m_list->columnIndex(column.name) : -1);
}

void RecordTableModel::listReset()
{
    // The list has already changed; the view only needs to start over.
    beginResetModel();
    resolveColumns();
    endResetModel();
}

void RecordTableModel::rowChanged(int row)
{
    if (row < 0 || row >= rowCount() || m_columns.isEmpty())
        return;
    Q_EMIT dataChanged(index(row, 0), index(row, int(m_columns.size()) - 1), {Qt::DisplayRole});
}

int RecordTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !m_list ? 0 : m_list->rowCount();
}

int RecordTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant RecordTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || !m_list || index.column() >= m_columns.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return FieldLink::displayText(m_list->valueAt(index.row(), m_listColumns[index.column()]));
    case Qt::TextAlignmentRole:
        return int(m_columns[index.column()].alignment);
    default:
        return {};
    }
}

QVariant RecordTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= m_columns.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (role) {
    case Qt::DisplayRole:
        return m_columns[section].name;
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    default:
        return {};
    }
}

Qt::ItemFlags RecordTableModel::flags(const QModelIndex &index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

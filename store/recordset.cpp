#include "recordset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include "apperror.h"

namespace {

const QString kNotOpen = QStringLiteral("数据集没有打开，无法进行此操作。");
const QString kReadOnly = QStringLiteral("这个列表是只读的，不能修改。");
const QString kEmpty = QStringLiteral("列表中没有记录，无法删除。");
const QString kConflict = QStringLiteral(
    "这条记录在读取之后已被其他用户修改或删除，本次修改没有保存。\n"
    "请记下您的修改，重新打开列表后再改。");

QString quoted(const QString &name)
{
    return u'"' + QString(name).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

void run(QSqlQuery &query)
{
    if (!query.exec())
        throw AppError(query.lastError().text());
}

} // namespace

RecordSet::RecordSet(QString connectionName, QString statement, QString baseTable,
                     QString keyColumn, QObject *parent)
    : QObject(parent), m_connection(std::move(connectionName)), m_statement(std::move(statement)),
      m_table(std::move(baseTable)), m_key(std::move(keyColumn))
{
}

void RecordSet::setStatement(const QString &statement)
{
    if (isOpen())
        throw AppError(QStringLiteral("数据集打开时不能更换查询语句。"));
    m_statement = statement;
}

void RecordSet::setParameter(const QString &name, const QVariant &value)
{
    for (auto &parameter : m_parameters) {
        if (parameter.first == name) {
            parameter.second = value;
            return;
        }
    }
    m_parameters.emplace_back(name, value);
}

void RecordSet::clearParameters()
{
    m_parameters.clear();
}

void RecordSet::open()
{
    if (isOpen())
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isOpen())
        throw AppError(QStringLiteral("没有连接到数据库，无法打开列表。"));
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.prepare(m_statement))
        throw AppError(query.lastError().text());
    for (const auto &[name, value] : m_parameters)
        query.bindValue(u':' + name, value);
    run(query);

    const QSqlRecord record = query.record();
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns << record.fieldName(i);
    std::vector<Row> rows;
    const int count = int(columns.size());
    while (query.next()) {
        Row row(count);
        for (int i = 0; i < count; ++i)
            row[i] = query.value(i);
        rows.push_back(std::move(row));
    }
    if (query.lastError().isValid())
        throw AppError(query.lastError().text());

    m_columns = std::move(columns);
    m_rows = std::move(rows);
    m_current = m_rows.empty() ? -1 : 0;
    m_modified = false;
    m_buffer.clear();
    m_state = State::Browse;
    Q_EMIT listReset();
    Q_EMIT currentChanged(m_current);
    Q_EMIT stateChanged(m_state);
}

void RecordSet::close()
{
    if (!isOpen())
        return;
    m_rows.clear();
    m_columns.clear();
    m_buffer.clear();
    m_current = -1;
    m_modified = false;
    m_state = State::Inactive;
    Q_EMIT listReset();
    Q_EMIT currentChanged(m_current);
    Q_EMIT stateChanged(m_state);
}

int RecordSet::columnIndex(const QString &column) const
{
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_columns[i].compare(column, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RecordSet::moveTo(int row)
{
    requireOpen();
    if (row < 0 || row >= rowCount() || row == m_current)
        return;
    if (isEditing())
        post();
    m_current = row;
    Q_EMIT currentChanged(m_current);
    Q_EMIT valuesChanged();
}

QVariant RecordSet::value(const QString &column) const
{
    const int index = columnIndex(column);
    if (index < 0 || m_current < 0)
        return {};
    return shownRow(m_current)[index];
}

void RecordSet::setValue(const QString &column, const QVariant &value)
{
    requireWritable();
    const int index = columnIndex(column);
    if (index < 0)
        throw AppError(QStringLiteral("列表中没有字段“%1”。").arg(column));
    if (!isEditing())
        edit();
    QVariant stored = value;
    if (stored.typeId() == QMetaType::QString && stored.toString().isEmpty())
        stored = QVariant(); // an emptied field holds no value
    const QVariant &old = m_buffer[index];
    if (old.isNull() == stored.isNull() && (stored.isNull() || old == stored))
        return;
    m_buffer[index] = stored;
    m_modified = true;
    Q_EMIT valuesChanged();
    Q_EMIT rowChanged(m_current);
}

QVariant RecordSet::valueAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= m_columns.size())
        return {};
    return shownRow(row)[column];
}

QVariant RecordSet::valueAt(int row, const QString &column) const
{
    return valueAt(row, columnIndex(column));
}

double RecordSet::sum(const QString &column) const
{
    const int index = columnIndex(column);
    double total = 0;
    if (index < 0)
        return total;
    for (int row = 0; row < rowCount(); ++row) {
        const QVariant &v = shownRow(row)[index];
        if (!v.isNull())
            total += v.toDouble();
    }
    return total;
}

void RecordSet::append()
{
    requireWritable();
    if (isEditing())
        post();
    m_rows.emplace_back(m_columns.size());
    m_current = rowCount() - 1;
    m_buffer = m_rows.back();
    m_modified = false;
    Q_EMIT listReset();
    setState(State::Insert);
    Q_EMIT currentChanged(m_current);
    Q_EMIT valuesChanged();
}

void RecordSet::edit()
{
    requireWritable();
    if (isEditing())
        return;
    if (m_rows.empty()) {
        append();
        return;
    }
    m_buffer = m_rows[m_current];
    m_modified = false;
    setState(State::Edit);
}

void RecordSet::post()
{
    requireOpen();
    if (!isEditing())
        return;
    if (m_state == State::Insert)
        insertRow();
    else if (m_modified)
        updateRow();
    m_rows[m_current] = m_buffer;
    m_buffer.clear();
    m_modified = false;
    setState(State::Browse);
    Q_EMIT rowChanged(m_current);
}

void RecordSet::cancel()
{
    requireOpen();
    if (!isEditing())
        return;
    const bool inserted = m_state == State::Insert;
    m_buffer.clear();
    m_modified = false;
    // Browse first: whoever hears of the change reads the rows, not the dropped buffer.
    setState(State::Browse);
    if (inserted) {
        m_rows.erase(m_rows.begin() + m_current);
        if (m_current >= rowCount())
            m_current = rowCount() - 1;
        Q_EMIT listReset();
    }
    Q_EMIT currentChanged(m_current);
    Q_EMIT valuesChanged();
}

void RecordSet::remove()
{
    requireWritable();
    if (m_rows.empty())
        throw AppError(kEmpty);
    if (m_state == State::Insert) {
        cancel(); // a record never written is simply dropped
        return;
    }
    deleteRow(m_rows[m_current]);
    m_rows.erase(m_rows.begin() + m_current);
    m_buffer.clear();
    m_modified = false;
    if (m_current >= rowCount())
        m_current = rowCount() - 1;
    setState(State::Browse);
    Q_EMIT listReset();
    Q_EMIT currentChanged(m_current);
    Q_EMIT valuesChanged();
}

void RecordSet::save()
{
    requireOpen();
    if (isEditing()) {
        if (m_modified)
            post();
        else
            cancel();
    }
    if (m_current < 0 || m_table.isEmpty())
        return;
    bool found = false;
    Row fresh = rereadRow(m_rows[m_current], &found);
    if (found && fresh != m_rows[m_current]) {
        m_rows[m_current] = std::move(fresh);
        Q_EMIT rowChanged(m_current);
        Q_EMIT valuesChanged();
    }
}

bool RecordSet::locate(const QString &column, const QVariant &value)
{
    requireOpen();
    const int index = columnIndex(column);
    if (index < 0)
        return false;
    for (int row = 0; row < rowCount(); ++row) {
        const QVariant &v = shownRow(row)[index];
        if (!v.isNull() && v.toString() == value.toString()) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

void RecordSet::requireOpen() const
{
    if (!isOpen())
        throw AppError(kNotOpen);
}

void RecordSet::requireWritable() const
{
    requireOpen();
    if (m_table.isEmpty())
        throw AppError(kReadOnly);
}

void RecordSet::setState(State state)
{
    if (m_state == state)
        return;
    m_state = state;
    Q_EMIT stateChanged(m_state);
}

const RecordSet::Row &RecordSet::shownRow(int row) const
{
    if (row == m_current && isEditing())
        return m_buffer;
    return m_rows[row];
}

void RecordSet::insertRow()
{
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QStringList names, marks;
    QVariantList binds;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_buffer[i].isNull())
            continue;
        names << quoted(m_columns[i]);
        marks << QStringLiteral("?");
        binds << m_buffer[i];
    }
    QSqlQuery query(db);
    const QString statement =
        names.isEmpty() ? QStringLiteral("insert into %1 default values").arg(quoted(m_table))
                        : QStringLiteral("insert into %1 (%2) values (%3)")
                              .arg(quoted(m_table), names.join(u','), marks.join(u','));
    if (!query.prepare(statement))
        throw AppError(query.lastError().text());
    for (const QVariant &v : binds)
        query.addBindValue(v);
    run(query);
    const int key = m_key.isEmpty() ? -1 : columnIndex(m_key);
    if (key >= 0 && m_buffer[key].isNull())
        m_buffer[key] = query.lastInsertId();
}

QString RecordSet::matchCondition(const Row &original, QVariantList &binds) const
{
    // Text compares exactly here, whatever the column's collation, so a change of letter case
    // by another writer is noticed as well.
    QStringList parts;
    for (int i = 0; i < m_columns.size(); ++i) {
        parts << QStringLiteral("%1 is ? collate binary").arg(quoted(m_columns[i]));
        binds << original[i];
    }
    const QString all = parts.join(QStringLiteral(" and "));
    const int key = m_key.isEmpty() ? -1 : columnIndex(m_key);
    if (key >= 0)
        return all;
    // No key: one row (rowid) among those holding exactly these values.
    return QStringLiteral("rowid = (select rowid from %1 where %2 limit 1)").arg(quoted(m_table), all);
}

void RecordSet::updateRow()
{
    const Row &original = m_rows[m_current];
    QStringList sets;
    QVariantList binds;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (m_buffer[i] == original[i] && m_buffer[i].isNull() == original[i].isNull())
            continue;
        sets << QStringLiteral("%1 = ?").arg(quoted(m_columns[i]));
        binds << m_buffer[i];
    }
    if (sets.isEmpty())
        return;
    const QString condition = matchCondition(original, binds);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.prepare(QStringLiteral("update %1 set %2 where %3")
                           .arg(quoted(m_table), sets.join(u','), condition)))
        throw AppError(query.lastError().text());
    for (const QVariant &v : binds)
        query.addBindValue(v);
    run(query);
    if (query.numRowsAffected() != 1)
        throw AppError(kConflict);
}

void RecordSet::deleteRow(const Row &original)
{
    QVariantList binds;
    const QString condition = matchCondition(original, binds);
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    if (!query.prepare(QStringLiteral("delete from %1 where %2").arg(quoted(m_table), condition)))
        throw AppError(query.lastError().text());
    for (const QVariant &v : binds)
        query.addBindValue(v);
    run(query);
    if (query.numRowsAffected() != 1)
        throw AppError(QStringLiteral("这条记录在读取之后已被其他用户修改或删除，没有删除。\n"
                                      "请重新打开列表后再试。"));
}

RecordSet::Row RecordSet::rereadRow(const Row &row, bool *found) const
{
    *found = false;
    const int key = m_key.isEmpty() ? -1 : columnIndex(m_key);
    if (key < 0 || row[key].isNull())
        return row;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    QStringList names;
    for (const QString &column : m_columns)
        names << quoted(column);
    if (!query.prepare(QStringLiteral("select %1 from %2 where %3 = ?")
                           .arg(names.join(u','), quoted(m_table), quoted(m_key))))
        throw AppError(query.lastError().text());
    query.addBindValue(row[key]);
    run(query);
    if (!query.next())
        return row;
    Row fresh(m_columns.size());
    for (int i = 0; i < m_columns.size(); ++i)
        fresh[i] = query.value(i);
    *found = true;
    return fresh;
}

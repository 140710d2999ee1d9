#include "recordset.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

#include <dlfcn.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <mutex>
#include <type_traits>

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

// The SQLite calls a list makes itself to read its rows, taken from the SQLite library that Qt's
// driver has loaded: the statement handle belongs to that library, so no other copy of SQLite
// may touch it. Null until the driver has loaded the library (or when it is not the shared
// library "libsqlite3.so.0"); the rows are then read through the query alone.
struct SqliteCalls
{
    decltype(&sqlite3_step) step = nullptr;
    decltype(&sqlite3_reset) reset = nullptr;
    decltype(&sqlite3_db_handle) dbHandle = nullptr;
    decltype(&sqlite3_column_count) columnCount = nullptr;
    decltype(&sqlite3_column_type) columnType = nullptr;
    decltype(&sqlite3_column_int64) columnInt64 = nullptr;
    decltype(&sqlite3_column_double) columnDouble = nullptr;
    decltype(&sqlite3_column_text) columnText = nullptr;
    decltype(&sqlite3_column_text16) columnText16 = nullptr;
    decltype(&sqlite3_column_bytes16) columnBytes16 = nullptr;
    decltype(&sqlite3_column_blob) columnBlob = nullptr;
    decltype(&sqlite3_column_bytes) columnBytes = nullptr;
    decltype(&sqlite3_errmsg16) errmsg16 = nullptr;
};

const SqliteCalls *sqliteCalls()
{
    static std::mutex mutex;
    static SqliteCalls calls;
    static bool resolved = false;
    const std::lock_guard lock(mutex);
    if (resolved)
        return &calls;
    void *library = dlopen("libsqlite3.so.0", RTLD_LAZY | RTLD_NOLOAD);
    if (!library)
        return nullptr;
    bool found = true;
    const auto take = [&](auto &call, const char *name) {
        call = reinterpret_cast<std::remove_reference_t<decltype(call)>>(dlsym(library, name));
        found = found && call;
    };
    take(calls.step, "sqlite3_step");
    take(calls.reset, "sqlite3_reset");
    take(calls.dbHandle, "sqlite3_db_handle");
    take(calls.columnCount, "sqlite3_column_count");
    take(calls.columnType, "sqlite3_column_type");
    take(calls.columnInt64, "sqlite3_column_int64");
    take(calls.columnDouble, "sqlite3_column_double");
    take(calls.columnText, "sqlite3_column_text");
    take(calls.columnText16, "sqlite3_column_text16");
    take(calls.columnBytes16, "sqlite3_column_bytes16");
    take(calls.columnBlob, "sqlite3_column_blob");
    take(calls.columnBytes, "sqlite3_column_bytes");
    take(calls.errmsg16, "sqlite3_errmsg16");
    if (!found) {
        dlclose(library);
        return nullptr;
    }
    resolved = true; // the library stays loaded: this handle is never closed
    return &calls;
}

// The pointer a driver or result handle holds, when it is of the named SQLite type.
template <typename T>
T *handleOf(const QVariant &handle, const char *typeName)
{
    if (!handle.isValid() || qstrcmp(handle.typeName(), typeName) != 0)
        return nullptr;
    return *static_cast<T *const *>(handle.constData());
}

constexpr qsizetype kMaxBlockRows = 2048;
// Byte blocks: a packed offset is the block's index above kBlockBits and the place within it.
constexpr int kBlockBits = 20;
constexpr qsizetype kMaxByteBlock = qsizetype(1) << kBlockBits;
constexpr qsizetype kFirstByteBlock = qsizetype(1) << 14;
constexpr quint32 kMaxByteBlocks = quint32(1) << (32 - kBlockBits);

// True for well-formed UTF-8 that SQLite turns into UTF-16 character for character: no
// overlong forms, surrogates or code points above U+10FFFF, and neither U+FFFE nor U+FFFF
// (which SQLite reads as U+FFFD). For such bytes fromPlainUtf8() gives what SQLite gives.
bool isPlainUtf8(const unsigned char *s, qsizetype size)
{
    const unsigned char *end = s + size;
    while (s < end) {
        // Runs of ASCII, eight bytes at a time.
        while (end - s >= 8) {
            quint64 word;
            std::memcpy(&word, s, sizeof word);
            if (word & 0x8080808080808080ull)
                break;
            s += 8;
        }
        if (s == end)
            break;
        const unsigned char c = *s;
        if (c < 0x80) {
            ++s;
            continue;
        }
        const auto continuation = [&](qsizetype i) { return (s[i] & 0xC0) == 0x80; };
        if (c >= 0xC2 && c <= 0xDF) {
            if (end - s < 2 || !continuation(1))
                return false;
            s += 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            if (end - s < 3 || !continuation(1) || !continuation(2))
                return false;
            if ((c == 0xE0 && s[1] < 0xA0) || (c == 0xED && s[1] >= 0xA0))
                return false; // overlong, surrogate
            if (c == 0xEF && s[1] == 0xBF && (s[2] == 0xBE || s[2] == 0xBF))
                return false; // U+FFFE, U+FFFF
            s += 3;
        } else if (c >= 0xF0 && c <= 0xF4) {
            if (end - s < 4 || !continuation(1) || !continuation(2) || !continuation(3))
                return false;
            if ((c == 0xF0 && s[1] < 0x90) || (c == 0xF4 && s[1] >= 0x90))
                return false; // overlong, above U+10FFFF
            s += 4;
        } else {
            return false;
        }
    }
    return true;
}

// Decodes bytes that isPlainUtf8() accepted.
QString fromPlainUtf8(const unsigned char *s, qsizetype size)
{
    qsizetype units = 0;
    for (qsizetype i = 0; i < size; ++i) {
        if ((s[i] & 0xC0) != 0x80)
            ++units;
        if (s[i] >= 0xF0)
            ++units; // a surrogate pair
    }
    QString text(units, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const unsigned char *end = s + size;
    while (s < end) {
        const unsigned char c = *s;
        if (c < 0x80) {
            *out++ = c;
            s += 1;
        } else if (c < 0xE0) {
            *out++ = char16_t(((c & 0x1F) << 6) | (s[1] & 0x3F));
            s += 2;
        } else if (c < 0xF0) {
            *out++ = char16_t(((c & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F));
            s += 3;
        } else {
            const char32_t u = ((c & 0x07) << 18) | ((s[1] & 0x3F) << 12) | ((s[2] & 0x3F) << 6) |
                               (s[3] & 0x3F);
            *out++ = char16_t(0xD800 + ((u - 0x10000) >> 10));
            *out++ = char16_t(0xDC00 + ((u - 0x10000) & 0x3FF));
            s += 4;
        }
    }
    return text;
}

} // namespace

// --- Rows ----------------------------------------------------------------------------------

void RecordSet::Rows::clear(int columns)
{
    std::vector<Block> spare = std::move(m_spare);
    for (std::vector<Block> *blocks : {&m_cellBlocks, &m_byteBlocks}) {
        for (Block &block : *blocks)
            spare.push_back(std::move(block));
    }
    *this = Rows();
    m_spare = std::move(spare);
    m_columns = columns;
}

void RecordSet::Rows::takeSpare(Rows &other)
{
    for (Block &block : other.m_spare)
        m_spare.push_back(std::move(block));
    other.m_spare.clear();
}

RecordSet::Rows::Block RecordSet::Rows::takeBlock(qsizetype minimum, qsizetype preferred)
{
    while (!m_spare.empty()) {
        Block block = std::move(m_spare.back());
        m_spare.pop_back();
        if (block.capacity >= minimum && block.capacity <= kMaxByteBlock)
            return block;
    }
    // Left uninitialised: every cell and byte is written before it is read.
    return {std::unique_ptr<unsigned char[]>(new unsigned char[size_t(preferred)]), preferred};
}

RecordSet::Rows::Cell *RecordSet::Rows::appendPacked()
{
    if (m_columns == 0) {
        append(Row());
        return nullptr;
    }
    if (m_cellEnd - m_cellNext < m_columns) {
        const qsizetype rowBytes = m_columns * qsizetype(sizeof(Cell));
        const qsizetype rows =
            std::max<qsizetype>(1, std::min(m_nextBlockRows, kMaxByteBlock / rowBytes));
        m_nextBlockRows = std::min(m_nextBlockRows * 2, kMaxBlockRows);
        m_cellBlocks.push_back(takeBlock(rowBytes, rows * rowBytes));
        const Block &block = m_cellBlocks.back();
        m_cellNext = reinterpret_cast<Cell *>(block.data.get());
        m_cellEnd = m_cellNext + block.capacity / qsizetype(sizeof(Cell));
    }
    Cell *cells = m_cellNext;
    m_cellNext += m_columns;
    m_slots.push_back({cells, -1});
    return cells;
}

bool RecordSet::Rows::store(const void *data, qsizetype size, quint32 *offset)
{
    if (size > kMaxByteBlock)
        return false;
    if (m_byteBlocks.empty() || m_byteBlocks.back().capacity - m_byteUsed < size) {
        if (m_byteBlocks.size() >= kMaxByteBlocks)
            return false;
        const qsizetype preferred = m_byteBlocks.empty()
                                        ? kFirstByteBlock
                                        : std::min(m_byteBlocks.back().capacity * 2, kMaxByteBlock);
        m_byteBlocks.push_back(takeBlock(size, std::max(preferred, size)));
        m_byteUsed = 0;
    }
    std::memcpy(m_byteBlocks.back().data.get() + m_byteUsed, data, size_t(size));
    *offset = quint32((m_byteBlocks.size() - 1) << kBlockBits) | quint32(m_byteUsed);
    m_byteUsed += size;
    return true;
}

const char *RecordSet::Rows::at(quint32 offset) const
{
    return reinterpret_cast<const char *>(m_byteBlocks[offset >> kBlockBits].data.get()) +
           (offset & ((quint32(1) << kBlockBits) - 1));
}

void RecordSet::Rows::setOther(Cell &cell, const QVariant &value)
{
    cell.tag = Other;
    cell.offset = quint32(m_others.size());
    m_others.push_back(value);
}

void RecordSet::Rows::setVariant(Cell &cell, const QVariant &value)
{
    if (!value.isValid()) {
        setNull(cell, QMetaType());
        return;
    }
    const int type = value.typeId();
    if (value.isNull()) {
        if (type == QMetaType::QString)
            setNull(cell, value.metaType());
        else
            setOther(cell, value);
        return;
    }
    switch (type) {
    case QMetaType::QString: {
        // Packed as UTF-8 when it comes back unchanged: not a null string, no lone surrogate.
        const QString &text = *static_cast<const QString *>(value.constData());
        if (!text.isNull() && QStringView(text).isValidUtf16()) {
            const QByteArray bytes = text.toUtf8();
            quint32 offset;
            if (bytes.size() < (qsizetype(1) << (32 - kKindBits)) &&
                store(bytes.constData(), bytes.size(), &offset)) {
                cell.tag = Text | quint32(bytes.size()) << kKindBits;
                cell.offset = offset;
                return;
            }
        }
        break;
    }
    case QMetaType::LongLong:
        setInteger(cell, value.toLongLong());
        return;
    case QMetaType::Double:
        setReal(cell, value.toDouble());
        return;
    default:
        break;
    }
    setOther(cell, value);
}

void RecordSet::Rows::setNull(Cell &cell, QMetaType type)
{
    const quint32 id = quint32(type.id());
    if (id >= (quint32(1) << (32 - kKindBits))) {
        setOther(cell, QVariant(type));
        return;
    }
    cell.tag = Null | id << kKindBits;
    cell.offset = 0;
}

bool RecordSet::Rows::setUtf8(Cell &cell, const char *bytes, qsizetype size)
{
    if (!bytes || size >= (qsizetype(1) << (32 - kKindBits)) ||
        !isPlainUtf8(reinterpret_cast<const unsigned char *>(bytes), size))
        return false;
    quint32 offset;
    if (!store(bytes, size, &offset))
        return false;
    cell.tag = Text | quint32(size) << kKindBits;
    cell.offset = offset;
    return true;
}

void RecordSet::Rows::setInteger(Cell &cell, qint64 value)
{
    quint32 offset;
    if (!store(&value, sizeof value, &offset)) {
        setOther(cell, QVariant(qlonglong(value)));
        return;
    }
    cell.tag = Integer;
    cell.offset = offset;
}

void RecordSet::Rows::setReal(Cell &cell, double value)
{
    quint32 offset;
    if (!store(&value, sizeof value, &offset)) {
        setOther(cell, QVariant(value));
        return;
    }
    cell.tag = Real;
    cell.offset = offset;
}

QVariant RecordSet::Rows::toVariant(const Cell &cell) const
{
    const quint32 high = cell.tag >> kKindBits;
    switch (cell.tag & ((1u << kKindBits) - 1)) {
    case Null:
        return high == 0 ? QVariant() : QVariant(QMetaType(int(high)));
    case Text:
        return fromPlainUtf8(reinterpret_cast<const unsigned char *>(at(cell.offset)), qsizetype(high));
    case Integer: {
        qint64 value;
        std::memcpy(&value, at(cell.offset), sizeof value);
        return QVariant(qlonglong(value));
    }
    case Real: {
        double value;
        std::memcpy(&value, at(cell.offset), sizeof value);
        return QVariant(value);
    }
    default:
        return m_others[cell.offset];
    }
}

QVariant RecordSet::Rows::value(int row, int column) const
{
    const Slot &slot = m_slots[size_t(row)];
    if (!slot.packed)
        return m_held[size_t(slot.held)][size_t(column)];
    return toVariant(slot.packed[column]);
}

RecordSet::Row RecordSet::Rows::row(int row) const
{
    const Slot &slot = m_slots[size_t(row)];
    if (!slot.packed)
        return m_held[size_t(slot.held)];
    Row values(static_cast<size_t>(m_columns));
    for (int i = 0; i < m_columns; ++i)
        values[size_t(i)] = toVariant(slot.packed[i]);
    return values;
}

bool RecordSet::Rows::isNull(int row, int column) const
{
    const Slot &slot = m_slots[size_t(row)];
    if (!slot.packed)
        return m_held[size_t(slot.held)][size_t(column)].isNull();
    const Cell &c = slot.packed[column];
    switch (c.tag & ((1u << kKindBits) - 1)) {
    case Null:
        return true;
    case Other:
        return m_others[c.offset].isNull();
    default:
        return false;
    }
}

double RecordSet::Rows::toDouble(int row, int column) const
{
    const Slot &slot = m_slots[size_t(row)];
    if (!slot.packed)
        return m_held[size_t(slot.held)][size_t(column)].toDouble();
    const Cell &c = slot.packed[column];
    switch (c.tag & ((1u << kKindBits) - 1)) {
    case Real: {
        double value;
        std::memcpy(&value, at(c.offset), sizeof value);
        return value;
    }
    case Integer: {
        qint64 value;
        std::memcpy(&value, at(c.offset), sizeof value);
        return double(value);
    }
    default:
        return toVariant(c).toDouble();
    }
}

void RecordSet::Rows::append(Row row)
{
    m_held.push_back(std::move(row));
    m_slots.push_back({nullptr, int(m_held.size()) - 1});
}

void RecordSet::Rows::replace(int row, Row values)
{
    Slot &slot = m_slots[size_t(row)];
    if (slot.packed) {
        // The packed cells stay where they are, unused, until the list is closed.
        m_held.push_back(std::move(values));
        slot = {nullptr, int(m_held.size()) - 1};
    } else {
        m_held[size_t(slot.held)] = std::move(values);
    }
}

void RecordSet::Rows::erase(int row)
{
    m_slots.erase(m_slots.begin() + row);
}

// --- RecordSet -----------------------------------------------------------------------------

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
    const int count = int(columns.size());
    Rows rows;
    rows.takeSpare(m_rows); // the memory of the list closed before, when it was
    rows.clear(count);
    // The first row comes through the query, which has already stepped to it.
    if (query.next()) {
        Rows::Cell *cells = rows.appendPacked();
        for (int i = 0; i < count; ++i)
            rows.setVariant(cells[i], query.value(i));
        if (!readRestDirectly(query, count, rows)) {
            while (query.next()) {
                cells = rows.appendPacked();
                for (int i = 0; i < count; ++i)
                    rows.setVariant(cells[i], query.value(i));
            }
        }
    }
    if (query.lastError().isValid())
        throw AppError(query.lastError().text());
    rows.releaseSpare();

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
    m_rows.clear(0);
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
    return shownValue(m_current, index);
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
    return shownValue(row, column);
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
        if (row == m_current && isEditing()) {
            const QVariant &v = m_buffer[size_t(index)];
            if (!v.isNull())
                total += v.toDouble();
        } else if (!m_rows.isNull(row, index)) {
            total += m_rows.toDouble(row, index);
        }
    }
    return total;
}

void RecordSet::append()
{
    requireWritable();
    if (isEditing())
        post();
    m_rows.append(Row(size_t(m_columns.size())));
    m_current = rowCount() - 1;
    m_buffer = Row(size_t(m_columns.size()));
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
    m_buffer = m_rows.row(m_current);
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
    m_rows.replace(m_current, std::move(m_buffer));
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
        m_rows.erase(m_current);
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
    deleteRow(m_rows.row(m_current));
    m_rows.erase(m_current);
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
    const Row current = m_rows.row(m_current);
    Row fresh = rereadRow(current, &found);
    if (found && fresh != current) {
        m_rows.replace(m_current, std::move(fresh));
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
        const QVariant v = shownValue(row, index);
        if (!v.isNull() && v.toString() == value.toString()) {
            moveTo(row);
            return true;
        }
    }
    return false;
}

bool RecordSet::readRestDirectly(QSqlQuery &query, int columns, Rows &rows)
{
    // Only where the values read are the very ones Qt's SQLite driver would give: its
    // statement, on its connection, with numbers read as double.
    const QSqlResult *result = query.result();
    const QSqlDriver *driver = query.driver();
    if (!result || !driver || query.numericalPrecisionPolicy() != QSql::LowPrecisionDouble)
        return false;
    sqlite3 *connection = handleOf<sqlite3>(driver->handle(), "sqlite3*");
    sqlite3_stmt *statement = handleOf<sqlite3_stmt>(result->handle(), "sqlite3_stmt*");
    const SqliteCalls *sqlite = statement && connection ? sqliteCalls() : nullptr;
    if (!sqlite || sqlite->dbHandle(statement) != connection ||
        sqlite->columnCount(statement) != columns)
        return false;
    // Texts are taken as the UTF-8 the file holds; a file in UTF-16 is read through the query.
    QSqlQuery encoding(query.driver()->createResult());
    if (!encoding.exec(QStringLiteral("pragma encoding")) || !encoding.next() ||
        encoding.value(0).toString() != QLatin1StringView("UTF-8"))
        return false;

    // Each value converted as the driver converts it when the query steps on.
    for (;;) {
        const int status = sqlite->step(statement);
        if (status == SQLITE_DONE) {
            sqlite->reset(statement);
            return true;
        }
        if (status != SQLITE_ROW) {
            // The driver's report of a failed step, word for word.
            const auto error = [&](int code) {
                return QSqlError(QCoreApplication::translate("QSQLiteResult", "Unable to fetch row"),
                                 QString(reinterpret_cast<const QChar *>(sqlite->errmsg16(connection))),
                                 QSqlError::ConnectionError, QString::number(code));
            };
            QSqlError failure;
            if (status == SQLITE_ERROR || status == SQLITE_CONSTRAINT) {
                failure = error(sqlite->reset(statement));
            } else {
                failure = error(status);
                sqlite->reset(statement);
            }
            throw AppError(failure.text());
        }
        Rows::Cell *cells = rows.appendPacked();
        for (int i = 0; i < columns; ++i) {
            Rows::Cell &cell = cells[i];
            switch (sqlite->columnType(statement, i)) {
            case SQLITE_BLOB: {
                const auto *data = static_cast<const char *>(sqlite->columnBlob(statement, i));
                rows.setVariant(cell, QByteArray(data, sqlite->columnBytes(statement, i)));
                break;
            }
            case SQLITE_INTEGER:
                rows.setInteger(cell, sqlite->columnInt64(statement, i));
                break;
            case SQLITE_FLOAT:
                rows.setReal(cell, sqlite->columnDouble(statement, i));
                break;
            case SQLITE_NULL:
                rows.setNull(cell, QMetaType::fromType<QString>());
                break;
            default: {
                // The bytes SQLite holds; only text it would not pass on character for
                // character is turned into UTF-16 by SQLite itself, as the driver does.
                const auto *bytes = reinterpret_cast<const char *>(sqlite->columnText(statement, i));
                if (!rows.setUtf8(cell, bytes, sqlite->columnBytes(statement, i))) {
                    const auto *text = static_cast<const QChar *>(sqlite->columnText16(statement, i));
                    rows.setVariant(cell, QString(text, sqlite->columnBytes16(statement, i) /
                                                            qsizetype(sizeof(QChar))));
                }
                break;
            }
            }
        }
    }
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

QVariant RecordSet::shownValue(int row, int column) const
{
    if (row == m_current && isEditing())
        return m_buffer[size_t(column)];
    return m_rows.value(row, column);
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
    const Row original = m_rows.row(m_current);
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

#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <utility>
#include <vector>

class QSqlQuery;

// A record list over one statement: the rows it returned, a current record and the states
// Inactive / Browse / Edit / Insert. Writes go to one base table by its key; a list without a
// base table (a distinct pick list) is read-only.
//
// Updates are optimistic: an UPDATE or DELETE matches the key and every value the row had when
// it was fetched, so a row that another writer changed meanwhile is never overwritten.
class RecordSet : public QObject
{
    Q_OBJECT

public:
    enum class State { Inactive, Browse, Edit, Insert };
    Q_ENUM(State)

    // keyColumn empty: rows are matched on all their fetched values (tables without a key).
    RecordSet(QString connectionName, QString statement, QString baseTable = {},
              QString keyColumn = {}, QObject *parent = nullptr);

    const QString &statement() const { return m_statement; }
    // Only while closed.
    void setStatement(const QString &statement);
    // By name without the colon; applied when the list is opened.
    void setParameter(const QString &name, const QVariant &value);
    void clearParameters();

    void open();  // opening an open list does nothing
    void close(); // drops an unposted change
    bool isOpen() const { return m_state != State::Inactive; }
    State state() const { return m_state; }
    bool isEditing() const { return m_state == State::Edit || m_state == State::Insert; }
    bool isModified() const { return m_modified; }

    const QStringList &columns() const { return m_columns; }
    int columnIndex(const QString &column) const;

    int rowCount() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.empty(); }
    int currentRow() const { return m_current; }
    // Posts a changed record first; a failed post leaves the current record where it was.
    void moveTo(int row);

    // The current record's value (the edit buffer while editing); null when there is none.
    QVariant value(const QString &column) const;
    // Puts the record into edit state first when it is browsed.
    void setValue(const QString &column, const QVariant &value);
    // The value shown for any row, the current one as edited.
    QVariant valueAt(int row, int column) const;
    QVariant valueAt(int row, const QString &column) const;
    // Sum of the non-null values of a column over the list, as edited.
    double sum(const QString &column) const;

    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    void save();
    // Makes the first row whose column equals value current; false when there is none.
    bool locate(const QString &column, const QVariant &value);

Q_SIGNALS:
    // The list itself changed: opened, closed, a row added or removed.
    void listReset();
    void currentChanged(int row);
    // A value of the current record changed (typing, a handler, a cancel or a re-read).
    void valuesChanged();
    void rowChanged(int row);
    void stateChanged(RecordSet::State state);

private:
    using Row = std::vector<QVariant>;

    // The rows of an open list. Fetched rows are packed: an 8-byte cell per value, the bytes of
    // the texts (UTF-8) and numbers in a few large blocks, so a long list costs neither an
    // allocation per value nor per row. A row that was added, posted or read again is held as
    // plain values. Every value reads back exactly as the database driver gave it.
    class Rows
    {
    public:
        struct Cell
        {
            quint32 tag;    // the Kind in the low bits; above them a text's length in bytes or
                            // the type id of a null value
            quint32 offset; // where a text or number starts in the blocks; index in m_others
        };

        Rows() = default;
        Rows(Rows &&) noexcept = default;
        Rows &operator=(Rows &&) noexcept = default;

        int size() const { return int(m_slots.size()); }
        bool empty() const { return m_slots.empty(); }
        // Drops every row. The memory is kept for the next list read into these rows (a list is
        // mostly closed only to be opened again) until releaseSpare() or destruction.
        void clear(int columns);
        // Takes over the memory that other kept.
        void takeSpare(Rows &other);
        // Frees the memory kept and not taken up again.
        void releaseSpare() { m_spare.clear(); }

        // Appends a packed row and returns its cells, each to be set with one of the set calls.
        Cell *appendPacked();
        void setVariant(Cell &cell, const QVariant &value);
        void setNull(Cell &cell, QMetaType type);
        // bytes: UTF-8 as SQLite keeps it. False, with nothing set, when the bytes are not
        // well-formed UTF-8 of characters that SQLite passes on unchanged.
        bool setUtf8(Cell &cell, const char *bytes, qsizetype size);
        void setInteger(Cell &cell, qint64 value);
        void setReal(Cell &cell, double value);

        QVariant value(int row, int column) const;
        Row row(int row) const;
        bool isNull(int row, int column) const;
        // The value as QVariant::toDouble() gives it, without building a QVariant for numbers.
        double toDouble(int row, int column) const;

        void append(Row row);
        void replace(int row, Row values);
        void erase(int row);

    private:
        enum Kind : quint32 { Null, Text, Integer, Real, Other };
        static constexpr int kKindBits = 3;

        struct Slot
        {
            const Cell *packed = nullptr; // the row's first cell, or
            int held = -1;                // the index in m_held
        };
        // Copies bytes into the blocks; false when they do not fit the addressing.
        bool store(const void *data, qsizetype size, quint32 *offset);
        const char *at(quint32 offset) const;
        void setOther(Cell &cell, const QVariant &value);
        QVariant toVariant(const Cell &cell) const;

        struct Block
        {
            std::unique_ptr<unsigned char[]> data;
            qsizetype capacity = 0;
        };
        Block takeBlock(qsizetype minimum, qsizetype preferred);

        int m_columns = 0;
        std::vector<Slot> m_slots;
        std::vector<Row> m_held;
        std::vector<QVariant> m_others; // packed values that are neither null, text nor number
        std::vector<Block> m_cellBlocks;
        Cell *m_cellNext = nullptr;
        Cell *m_cellEnd = nullptr;
        qsizetype m_nextBlockRows = 64; // cell blocks grow with the list, up to a limit
        std::vector<Block> m_byteBlocks;
        qsizetype m_byteUsed = 0; // in the last byte block
        std::vector<Block> m_spare;
    };

    // Reads the rows after the first straight from the query's SQLite statement; false when the
    // statement cannot be reached that way, and nothing was read.
    static bool readRestDirectly(QSqlQuery &query, int columns, Rows &rows);

    void requireOpen() const;
    void requireWritable() const;
    void setState(State state);
    // The value shown for a row: from the edit buffer for the record being edited.
    QVariant shownValue(int row, int column) const;
    void insertRow();
    void updateRow();
    void deleteRow(const Row &original);
    QString matchCondition(const Row &original, QVariantList &binds) const;
    Row rereadRow(const Row &row, bool *found) const;

    QString m_connection;
    QString m_statement;
    QString m_table;
    QString m_key;
    std::vector<std::pair<QString, QVariant>> m_parameters;
    State m_state = State::Inactive;
    QStringList m_columns;
    Rows m_rows;
    int m_current = -1;
    Row m_buffer;
    bool m_modified = false;
};

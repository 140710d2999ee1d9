#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

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

    void requireOpen() const;
    void requireWritable() const;
    void setState(State state);
    const Row &shownRow(int row) const;
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
    std::vector<Row> m_rows;
    int m_current = -1;
    Row m_buffer;
    bool m_modified = false;
};

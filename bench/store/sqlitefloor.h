#pragma once

#include <QString>

#include <cstdint>
#include <utility>
#include <vector>

struct sqlite3;

namespace benchdata {

// The floor of a record list: the same statement with the same parameters, stepped to the end
// through the SQLite C API on a connection of its own, reading every column of every row with
// the sqlite3_column_* call of its type (text as the UTF-8 SQLite keeps). Nothing is kept: what
// is left above this is the cost of the list itself.
class SqliteFloor
{
public:
    // Opens the database file read-only. Throws AppError when it cannot be opened.
    explicit SqliteFloor(const QString &file);
    ~SqliteFloor();
    SqliteFloor(const SqliteFloor &) = delete;
    SqliteFloor &operator=(const SqliteFloor &) = delete;

    struct Result
    {
        int rows = 0;
        std::uint64_t checksum = 0; // over every value read, so no read can be left out
    };
    // Prepares the statement, binds each named parameter (without the colon), steps to the end
    // and finalizes. Throws AppError when a step fails.
    Result run(const QString &statement,
               const std::vector<std::pair<QString, QString>> &parameters = {}) const;

private:
    sqlite3 *m_db = nullptr;
};

} // namespace benchdata

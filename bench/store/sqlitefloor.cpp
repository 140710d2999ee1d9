#include "sqlitefloor.h"

#include <sqlite3.h>

#include <cstring>

#include "apperror.h"

namespace benchdata {
namespace {

QString message(sqlite3 *db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

} // namespace

SqliteFloor::SqliteFloor(const QString &file)
{
    const QByteArray path = file.toUtf8();
    if (sqlite3_open_v2(path.constData(), &m_db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        const QString reason = m_db ? message(m_db) : QStringLiteral("out of memory");
        sqlite3_close(m_db);
        m_db = nullptr;
        throw AppError(reason);
    }
}

SqliteFloor::~SqliteFloor()
{
    sqlite3_close(m_db);
}

SqliteFloor::Result SqliteFloor::run(const QString &statement,
                                     const std::vector<std::pair<QString, QString>> &parameters) const
{
    const QByteArray sql = statement.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &stmt, nullptr) != SQLITE_OK)
        throw AppError(message(m_db));
    for (const auto &[name, value] : parameters) {
        const QByteArray marker = (u':' + name).toUtf8();
        const int index = sqlite3_bind_parameter_index(stmt, marker.constData());
        const QByteArray text = value.toUtf8();
        if (index == 0 ||
            sqlite3_bind_text(stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
            sqlite3_finalize(stmt);
            throw AppError(QStringLiteral("parameter %1 cannot be bound").arg(name));
        }
    }
    Result result;
    const int columns = sqlite3_column_count(stmt);
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        ++result.rows;
        for (int i = 0; i < columns; ++i) {
            switch (sqlite3_column_type(stmt, i)) {
            case SQLITE_INTEGER:
                result.checksum += std::uint64_t(sqlite3_column_int64(stmt, i));
                break;
            case SQLITE_FLOAT: {
                const double v = sqlite3_column_double(stmt, i);
                std::uint64_t bits;
                std::memcpy(&bits, &v, sizeof bits);
                result.checksum += bits;
                break;
            }
            case SQLITE_TEXT: {
                const unsigned char *text = sqlite3_column_text(stmt, i);
                const int bytes = sqlite3_column_bytes(stmt, i);
                result.checksum += std::uint64_t(bytes) + (bytes ? text[bytes - 1] : 0u);
                break;
            }
            case SQLITE_BLOB:
                result.checksum += std::uint64_t(sqlite3_column_bytes(stmt, i));
                break;
            default: // SQLITE_NULL
                ++result.checksum;
                break;
            }
        }
    }
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        throw AppError(message(m_db));
    return result;
}

} // namespace benchdata

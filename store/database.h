#pragma once

#include <QSqlDatabase>
#include <QString>

// The record store: one SQLite file "trfp.db" in the program folder.
namespace store {

inline const QString kDatabaseFile = QStringLiteral("trfp.db");
inline const QString kConnection = QStringLiteral("qinghe");
inline constexpr int kSchemaVersion = 1;

// Opens folder + "trfp.db" on the named connection. A missing file is created with every
// table, the schema version and the seed rows. An existing file is never overwritten: when it
// cannot be opened or is not this program's database, AppError is thrown with the reason and
// the connection stays closed.
QSqlDatabase openDatabase(const QString &folder, const QString &connectionName = kConnection);

// Closes and removes the named connection.
void closeDatabase(const QString &connectionName = kConnection);

} // namespace store

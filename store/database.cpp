#include "database.h"

#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "apperror.h"

namespace store {
namespace {

// Text columns compare without regard to letter case, in distinct and in like alike.
const QStringList kCreateSchema = {
    QStringLiteral("create table meta (key text primary key, value text)"),
    QStringLiteral(
        "create table jzd (编号 integer primary key autoincrement, 银行名称 text collate nocase, "
        "年 text collate nocase, 月 text collate nocase, 日 text collate nocase, "
        "出票全称 text collate nocase, 出票帐号 text collate nocase, 出票银行 text collate nocase, "
        "收款全称 text collate nocase, 收款帐号 text collate nocase, 收款银行 text collate nocase, "
        "人民币大写 text collate nocase, 人民币小写 real, 票据种类 text collate nocase, "
        "票据张数 text collate nocase, 票据号码 text collate nocase, 用途 text collate nocase, "
        "复核 text collate nocase, 记账 text collate nocase, 币别 text collate nocase)"),
    QStringLiteral(
        "create table zp (编号 integer primary key autoincrement, 银行名称 text collate nocase, "
        "日期年大 text collate nocase, 日期月大 text collate nocase, 日期日大 text collate nocase, "
        "付款行名称 text collate nocase, 出票人帐号 text collate nocase, 收款人 text collate nocase, "
        "金额大写 text collate nocase, 金额小写 real, 用途 text collate nocase, "
        "存根银行 text collate nocase, 附加信息1 text collate nocase, 附加信息2 text collate nocase, "
        "附加信息3 text collate nocase, 日期年小 text collate nocase, 日期月小 text collate nocase, "
        "日期日小 text collate nocase, 单位主管 text collate nocase, 会计 text collate nocase, "
        "币别 text collate nocase)"),
    QStringLiteral("create table djmc (单据名称 text collate nocase primary key, 横向 integer, "
                   "纵向 integer, 字间距 integer)"),
    QStringLiteral("create table usertable (用户 text collate nocase, 密码 text, "
                   "职务 text collate nocase, 权限 text, 提示 integer)"),
    // Seed rows: both documents with zero offsets, and a first user without a password.
    QStringLiteral("insert into djmc values ('进账单', 0, 0, 2)"),
    QStringLiteral("insert into djmc values ('支票', 0, 0, 2)"),
    QStringLiteral("insert into usertable values ('管理员', null, '管理员', '管理', 0)"),
};

void exec(QSqlQuery &query, const QString &statement)
{
    if (!query.exec(statement))
        throw AppError(query.lastError().text());
}

void createSchema(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!db.transaction())
        throw AppError(db.lastError().text());
    try {
        for (const QString &statement : kCreateSchema)
            exec(query, statement);
        exec(query, QStringLiteral("insert into meta values ('schema_version', '%1')")
                        .arg(kSchemaVersion));
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw AppError(db.lastError().text());
}

int schemaVersion(QSqlDatabase &db)
{
    QSqlQuery query(db);
    // Reading the schema is the first real access: a file that is not a database fails here.
    exec(query, QStringLiteral("select count(*) from sqlite_master where type='table' and name='meta'"));
    if (!query.next() || query.value(0).toInt() == 0)
        return 0;
    exec(query, QStringLiteral("select value from meta where key='schema_version'"));
    return query.next() ? query.value(0).toInt() : 0;
}

// Later schema versions add their steps here; each step runs inside one transaction.
void migrate(QSqlDatabase &db, int from)
{
    Q_UNUSED(db);
    Q_UNUSED(from);
}

} // namespace

QSqlDatabase openDatabase(const QString &folder, const QString &connectionName)
{
    const QString path = folder + kDatabaseFile;
    const bool existed = QFileInfo::exists(path);
    if (existed && !QFileInfo(path).isFile())
        throw AppError(QStringLiteral("无法打开数据库文件 %1：它不是一个文件。").arg(path));

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db.setDatabaseName(path);
    // A second copy of the program on the same file waits for a lock instead of failing.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    try {
        if (!db.open())
            throw AppError(QStringLiteral("无法打开数据库文件 %1：%2").arg(path, db.lastError().text()));
        QSqlQuery query(db);
        const int version = schemaVersion(db);
        if (version == 0) {
            if (existed)
                throw AppError(
                    QStringLiteral("数据库文件 %1 不是本程序的数据库，文件未作任何改动。").arg(path));
            createSchema(db);
        } else if (version > kSchemaVersion) {
            throw AppError(QStringLiteral("数据库文件 %1 来自更新版本的程序（版本 %2），文件未作任何改动。")
                               .arg(path)
                               .arg(version));
        } else if (version < kSchemaVersion) {
            migrate(db, version);
        }
        exec(query, QStringLiteral("pragma journal_mode=wal"));
        exec(query, QStringLiteral("pragma synchronous=full"));
    } catch (const AppError &error) {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        // Keep the reason readable even when the driver's text is terse.
        if (error.message().contains(QStringLiteral("file is not a database")) ||
            error.message().contains(QStringLiteral("malformed")))
            throw AppError(QStringLiteral("数据库文件 %1 已损坏或不是数据库文件，文件未作任何改动。\n%2")
                               .arg(path, error.message()));
        throw;
    }
    return db;
}

void closeDatabase(const QString &connectionName)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isValid())
            db.close();
    }
    QSqlDatabase::removeDatabase(connectionName);
}

} // namespace store

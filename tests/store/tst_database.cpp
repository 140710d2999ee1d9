#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "apperror.h"
#include "database.h"

// Creating, opening and refusing database files.
class TestDatabase : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void createsSchemaAndSeed()
    {
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        {
            QSqlDatabase db = store::openDatabase(folder);
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("select 单据名称, 横向, 纵向, 字间距 from djmc order by 单据名称")));
            QStringList names;
            while (q.next())
                names << q.value(0).toString();
            QCOMPARE(names.size(), 2);
            QVERIFY(names.contains(QStringLiteral("进账单")));
            QVERIFY(names.contains(QStringLiteral("支票")));
            QVERIFY(q.exec(QStringLiteral("select 用户, 密码, 职务, 权限, 提示 from usertable")));
            QVERIFY(q.next());
            QVERIFY(q.value(1).isNull());
            QVERIFY(q.exec(QStringLiteral("select value from meta where key='schema_version'")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), store::kSchemaVersion);
            // Text compares without regard to letter case.
            QVERIFY(q.exec(QStringLiteral("insert into jzd (收款全称) values ('ABC')")));
            QVERIFY(q.exec(QStringLiteral("select count(*) from jzd where 收款全称 like '%abc%'")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 1);
        }
        store::closeDatabase();
        QVERIFY(QFile::exists(folder + QStringLiteral("trfp.db")));
        // A second open keeps the rows.
        {
            QSqlQuery q(store::openDatabase(folder));
            QVERIFY(q.exec(QStringLiteral("select count(*) from jzd")));
            QVERIFY(q.next());
            QCOMPARE(q.value(0).toInt(), 1);
        }
        store::closeDatabase();
    }

    void damagedFileIsKept_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("text") << QByteArray("this is no database, but somebody's notes\n");
        QTest::newRow("foreign sqlite")
            << QByteArray(); // filled in the test: a SQLite file without our schema
    }
    void damagedFileIsKept()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        const QString folder = dir.path() + u'/';
        const QString path = folder + QStringLiteral("trfp.db");
        if (content.isEmpty()) {
            {
                QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("foreign"));
                db.setDatabaseName(path);
                QVERIFY(db.open());
                QSqlQuery(db).exec(QStringLiteral("create table notes (t text)"));
                db.close();
            }
            QSqlDatabase::removeDatabase(QStringLiteral("foreign"));
        } else {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray before = f.readAll();
        f.close();

        QVERIFY_THROWS_EXCEPTION(AppError, store::openDatabase(folder));
        QVERIFY(!QSqlDatabase::database(store::kConnection, false).isOpen());
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
};

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"

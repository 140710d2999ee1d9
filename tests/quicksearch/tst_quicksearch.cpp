#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "apperror.h"
#include "database.h"
#include "queries.h"
#include "quicksearch.h"
#include "recordset.h"

// Quick search over the stored slips and cheques.
class TestQuickSearch : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    Queries *m_queries = nullptr;

    static void exec(const QString &statement)
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        QVERIFY2(q.exec(statement), qPrintable(statement));
    }
    static QStringList column(RecordSet &list, const QString &name)
    {
        QStringList out;
        for (int row = 0; row < list.rowCount(); ++row)
            out << list.valueAt(row, name).toString();
        return out;
    }

private Q_SLOTS:
    void initTestCase()
    {
        store::openDatabase(m_dir.path() + u'/');
        m_queries = new Queries(store::kConnection, this);
        exec(QStringLiteral("delete from jzd"));
        // 编号 1..6
        exec(QStringLiteral("insert into jzd (银行名称, 人民币小写) values ('s1', 1200)"));
        exec(QStringLiteral("insert into jzd (银行名称, 人民币小写) values ('s2', 3.12)"));
        exec(QStringLiteral("insert into jzd (银行名称, 年, 月, 日) values ('s3', '2012', '03', '05')"));
        exec(QStringLiteral("insert into jzd (银行名称, 收款全称, 人民币小写) values ('s4', 'ABC公司', 5)"));
        exec(QStringLiteral("insert into jzd (币别) values ('人民币')")); // nothing searched is filled
        exec(QStringLiteral("insert into jzd (银行名称, 用途) values ('s6', '货款')"));
        exec(QStringLiteral("delete from zp"));
        exec(QStringLiteral("insert into zp (银行名称, 金额小写, 金额大写) values ('c1', 1200, '壹仟贰佰圆整')"));
        exec(QStringLiteral("insert into zp (收款人) values ('青禾')"));
        exec(QStringLiteral("insert into zp (金额小写, 用途) values (12, '12')")); // only unsearched columns
    }
    void cleanupTestCase()
    {
        delete m_queries;
        store::closeDatabase();
    }

    void slipSearch_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("banks"); // newest first
        QTest::newRow("12 in amounts and dates") << "12" << QStringList{"s3", "s2", "s1"};
        QTest::newRow("letter case ignored") << "abc" << QStringList{"s4"};
        QTest::newRow("empty lists every filled record") << ""
                                                         << QStringList{"s6", "s4", "s3", "s2", "s1"};
        QTest::newRow("percent is a wildcard") << "s%3" << QStringList{"s3"};
        QTest::newRow("underscore is a wildcard") << "s_" << QStringList{"s6", "s4", "s3", "s2", "s1"};
        QTest::newRow("nothing found") << "无此记录" << QStringList{};
        QTest::newRow("Chinese text") << "货" << QStringList{"s6"};
    }
    void slipSearch()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, banks);
        RecordSet &list = *m_queries->jzdqry;
        runQuickSearch(list, ::slipSearch(), text);
        QVERIFY(list.isOpen());
        QCOMPARE(column(list, QStringLiteral("银行名称")), banks);
        QCOMPARE(list.currentRow(), banks.isEmpty() ? -1 : 0);
    }

    void chequeSearchIgnoresAmountsAndPurpose_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("found");
        QTest::newRow("amount") << "1200" << 0;
        QTest::newRow("capital amount") << "壹仟" << 0;
        QTest::newRow("purpose") << "12" << 0;
        QTest::newRow("payee") << "青禾" << 1;
        QTest::newRow("underscore lists every cheque with a searched column") << "_" << 2;
    }
    void chequeSearchIgnoresAmountsAndPurpose()
    {
        QFETCH(QString, text);
        QFETCH(int, found);
        runQuickSearch(*m_queries->zpqry, chequeSearch(), text);
        QCOMPARE(m_queries->zpqry->rowCount(), found);
    }

    void searchDropsAnUnsavedEdit()
    {
        RecordSet &list = *m_queries->jzdqry;
        runQuickSearch(list, ::slipSearch(), QStringLiteral("s1"));
        list.setValue(QStringLiteral("银行名称"), QStringLiteral("changed"));
        runQuickSearch(list, ::slipSearch(), QStringLiteral("s1"));
        QCOMPARE(list.value(QStringLiteral("银行名称")).toString(), QStringLiteral("s1"));
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.exec(QStringLiteral("select count(*) from jzd where 银行名称='changed'"));
        q.next();
        QCOMPARE(q.value(0).toInt(), 0);
    }

    void failedOpenLeavesTheListClosedUntilTheNextChange()
    {
        RecordSet &list = *m_queries->jzdqry;
        exec(QStringLiteral("alter table jzd rename to jzd_away"));
        QVERIFY_THROWS_EXCEPTION(AppError, runQuickSearch(list, ::slipSearch(), QStringLiteral("s")));
        QVERIFY(!list.isOpen());
        QCOMPARE(list.rowCount(), 0);
        exec(QStringLiteral("alter table jzd_away rename to jzd"));
        runQuickSearch(list, ::slipSearch(), QStringLiteral("s"));
        QVERIFY(list.isOpen());
        QCOMPARE(list.rowCount(), 5);
    }
};

QTEST_GUILESS_MAIN(TestQuickSearch)
#include "tst_quicksearch.moc"

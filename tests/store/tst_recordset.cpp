#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include "apperror.h"
#include "database.h"
#include "recordset.h"
#include "sqltexts.h"

// The record list: every operation and state rule the pages rely on, driven by small scripts.
class TestRecordSet : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString folder() const { return m_dir.path() + u'/'; }

    static QStringList bankNames(const QString &connection)
    {
        QSqlQuery q(QSqlDatabase::database(connection));
        q.exec(QStringLiteral("select coalesce(银行名称, '-') from jzd order by 编号"));
        QStringList names;
        while (q.next())
            names << q.value(0).toString();
        return names;
    }
    static void seed(const QStringList &banks)
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.exec(QStringLiteral("delete from jzd"));
        for (const QString &b : banks) {
            q.prepare(QStringLiteral("insert into jzd (银行名称, 人民币小写) values (?, 1)"));
            q.addBindValue(b);
            q.exec();
        }
    }

    // Runs "op" or "op arg" steps; returns the text of the first error, empty when none.
    static QString runScript(RecordSet &list, const QStringList &steps)
    {
        try {
            for (const QString &step : steps) {
                const QString op = step.section(u' ', 0, 0);
                const QString arg = step.section(u' ', 1);
                if (op == u"open") list.open();
                else if (op == u"close") list.close();
                else if (op == u"append") list.append();
                else if (op == u"edit") list.edit();
                else if (op == u"post") list.post();
                else if (op == u"cancel") list.cancel();
                else if (op == u"delete") list.remove();
                else if (op == u"save") list.save();
                else if (op == u"set") list.setValue(QStringLiteral("银行名称"), arg);
                else if (op == u"move") list.moveTo(arg.toInt());
                else if (op == u"locate") list.locate(QStringLiteral("银行名称"), arg);
                else qFatal("unknown step");
            }
        } catch (const AppError &e) {
            return e.message();
        }
        return {};
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        store::openDatabase(folder());
    }
    void cleanupTestCase() { store::closeDatabase(); }

    void operations_data()
    {
        QTest::addColumn<QStringList>("seedRows");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("fails");
        QTest::addColumn<QString>("state");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("shown");    // 银行名称 of the current record
        QTest::addColumn<QStringList>("stored"); // the table afterwards

        const QStringList ab{QStringLiteral("A"), QStringLiteral("B")};
        QTest::newRow("open shows the first") << ab << QStringList{"open"} << false << "Browse" << 0
                                              << "A" << ab;
        QTest::newRow("open twice changes nothing")
            << ab << QStringList{"open", "move 1", "open"} << false << "Browse" << 1 << "B" << ab;
        QTest::newRow("append comes last, unwritten")
            << ab << QStringList{"open", "append", "set C"} << false << "Insert" << 2 << "C" << ab;
        QTest::newRow("append then post writes")
            << ab << QStringList{"open", "append", "set C", "post"} << false << "Browse" << 2 << "C"
            << QStringList{"A", "B", "C"};
        QTest::newRow("moving posts a change")
            << ab << QStringList{"open", "set X", "move 1"} << false << "Browse" << 1 << "B"
            << QStringList{"X", "B"};
        QTest::newRow("append posts the edited record")
            << ab << QStringList{"open", "set X", "append"} << false << "Insert" << 2 << ""
            << QStringList{"X", "B"};
        QTest::newRow("closing drops a change")
            << ab << QStringList{"open", "set X", "close", "open"} << false << "Browse" << 0 << "A"
            << ab;
        QTest::newRow("cancel restores")
            << ab << QStringList{"open", "set X", "cancel"} << false << "Browse" << 0 << "A" << ab;
        QTest::newRow("edit on an empty list starts a new record")
            << QStringList{} << QStringList{"open", "edit"} << false << "Insert" << 0 << ""
            << QStringList{};
        QTest::newRow("edit keeps insert state")
            << ab << QStringList{"open", "append", "edit"} << false << "Insert" << 2 << "" << ab;
        QTest::newRow("delete removes, next becomes current")
            << QStringList{"A", "B", "C"} << QStringList{"open", "move 1", "delete"} << false
            << "Browse" << 1 << "C" << QStringList{"A", "C"};
        QTest::newRow("delete the last, new last current")
            << ab << QStringList{"open", "move 1", "delete"} << false << "Browse" << 0 << "A"
            << QStringList{"A"};
        QTest::newRow("delete an unsaved new record")
            << ab << QStringList{"open", "append", "set C", "delete"} << false << "Browse" << 1
            << "B" << ab;
        QTest::newRow("delete on an empty list fails")
            << QStringList{} << QStringList{"open", "delete"} << true << "Browse" << -1 << ""
            << QStringList{};
        QTest::newRow("save posts")
            << ab << QStringList{"open", "set X", "save"} << false << "Browse" << 0 << "X"
            << QStringList{"X", "B"};
        QTest::newRow("save with nothing changed writes nothing")
            << ab << QStringList{"open", "edit", "save"} << false << "Browse" << 0 << "A" << ab;
        QTest::newRow("save drops an untouched new record")
            << ab << QStringList{"open", "append", "save"} << false << "Browse" << 1 << "B" << ab;
        QTest::newRow("locate moves to the first match")
            << QStringList{"A", "B", "B"} << QStringList{"open", "locate B"} << false << "Browse"
            << 1 << "B" << QStringList{"A", "B", "B"};
        QTest::newRow("emptied text stores null")
            << ab << QStringList{"open", "set ", "post"} << false << "Browse" << 0 << ""
            << QStringList{"-", "B"};
        QTest::newRow("operations on a closed list fail")
            << ab << QStringList{"append"} << true << "Inactive" << -1 << "" << ab;
    }

    void operations()
    {
        QFETCH(QStringList, seedRows);
        QFETCH(QStringList, steps);
        QFETCH(bool, fails);
        QFETCH(QString, state);
        QFETCH(int, current);
        QFETCH(QString, shown);
        QFETCH(QStringList, stored);

        seed(seedRows);
        RecordSet list(store::kConnection, sql::kSlipList, QStringLiteral("jzd"),
                       QStringLiteral("编号"));
        const QString error = runScript(list, steps);
        QCOMPARE(!error.isEmpty(), fails);
        QCOMPARE(QString::fromLatin1(QMetaEnum::fromType<RecordSet::State>().valueToKey(
                     int(list.state()))),
                 state);
        QCOMPARE(list.currentRow(), current);
        QCOMPARE(list.value(QStringLiteral("银行名称")).toString(), shown);
        QCOMPARE(bankNames(store::kConnection), stored);
    }

    void newRowGetsNextNumberAndComesLast()
    {
        seed({QStringLiteral("A")});
        RecordSet list(store::kConnection, sql::kSlipList, QStringLiteral("jzd"),
                       QStringLiteral("编号"));
        list.open();
        const qlonglong first = list.value(QStringLiteral("编号")).toLongLong();
        list.append();
        list.setValue(QStringLiteral("币别"), QStringLiteral("人民币"));
        list.post();
        QCOMPARE(list.value(QStringLiteral("编号")).toLongLong(), first + 1);
        list.close();
        list.open();
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(list.valueAt(1, QStringLiteral("币别")).toString(), QStringLiteral("人民币"));
    }

    void sumFollowsTheList()
    {
        seed({QStringLiteral("A"), QStringLiteral("B")});
        RecordSet list(store::kConnection, sql::kSlipList, QStringLiteral("jzd"),
                       QStringLiteral("编号"));
        list.open();
        QCOMPARE(list.sum(QStringLiteral("人民币小写")), 2.0);
        list.setValue(QStringLiteral("人民币小写"), 10.5);
        QCOMPARE(list.sum(QStringLiteral("人民币小写")), 11.5);
        list.append();
        QCOMPARE(list.sum(QStringLiteral("人民币小写")), 11.5);
    }

    // A second copy of the program changed or deleted the row: the post fails with a clear
    // message, the record stays in edit with the user's change, the other write survives.
    void secondWriterConflict_data()
    {
        QTest::addColumn<QString>("otherStatement");
        QTest::newRow("changed") << QStringLiteral("update jzd set 银行名称='Other'");
        QTest::newRow("deleted") << QStringLiteral("delete from jzd");
    }
    void secondWriterConflict()
    {
        QFETCH(QString, otherStatement);
        seed({QStringLiteral("A")});
        RecordSet mine(store::kConnection, sql::kSlipList, QStringLiteral("jzd"),
                       QStringLiteral("编号"));
        mine.open();
        {
            QSqlDatabase other = store::openDatabase(folder(), QStringLiteral("other"));
            QSqlQuery q(other);
            QVERIFY(q.exec(otherStatement));
        }
        store::closeDatabase(QStringLiteral("other"));
        const QStringList before = bankNames(store::kConnection);
        mine.setValue(QStringLiteral("银行名称"), QStringLiteral("Mine"));
        try {
            mine.post();
            QFAIL("post should fail");
        } catch (const AppError &e) {
            QVERIFY(e.message().contains(QStringLiteral("其他用户")));
        }
        QCOMPARE(mine.state(), RecordSet::State::Edit);
        QCOMPARE(mine.value(QStringLiteral("银行名称")).toString(), QStringLiteral("Mine"));
        QCOMPARE(bankNames(store::kConnection), before);
    }

    void tableWithoutKeyUpdatesOneRow()
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        q.exec(QStringLiteral("delete from usertable"));
        q.exec(QStringLiteral("insert into usertable (用户, 密码) values ('u', null), ('u', null)"));
        RecordSet users(store::kConnection, sql::kUsers, QStringLiteral("usertable"));
        users.open();
        users.setValue(QStringLiteral("密码"), QStringLiteral("pw"));
        users.save();
        q.exec(QStringLiteral("select count(*) from usertable where 密码='pw'"));
        q.next();
        QCOMPARE(q.value(0).toInt(), 1);
        users.moveTo(1);
        users.remove();
        q.exec(QStringLiteral("select count(*) from usertable"));
        q.next();
        QCOMPARE(q.value(0).toInt(), 1);
    }

    void readOnlyListRefusesWrites()
    {
        seed({QStringLiteral("A")});
        RecordSet pick(store::kConnection, sql::kSlipPayers);
        pick.open();
        QVERIFY_THROWS_EXCEPTION(AppError, pick.edit());
    }

    void statementOnlyWhileClosed()
    {
        RecordSet list(store::kConnection, sql::kSlipList, QStringLiteral("jzd"),
                       QStringLiteral("编号"));
        list.open();
        QVERIFY_THROWS_EXCEPTION(AppError, list.setStatement(sql::kChequeList));
        list.close();
        list.setStatement(sql::kChequeList);
        QCOMPARE(list.statement(), sql::kChequeList);
    }
};

QTEST_GUILESS_MAIN(TestRecordSet)
#include "tst_recordset.moc"

#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "database.h"
#include "picklist.h"
#include "recordset.h"

// The drop-down pick list: where its list opens, what it holds, and the order of its signals.
class TestPickList : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<RecordSet> m_payers;
    std::unique_ptr<QWidget> m_window;
    PickList *m_pick = nullptr;
    QLineEdit *m_other = nullptr;
    QStringList m_events; // "entered", "chosen <name>", with the list's state at the time

    void seed(const QList<QStringList> &rows)
    {
        QSqlQuery q(QSqlDatabase::database(store::kConnection));
        QVERIFY(q.exec(QStringLiteral("delete from jzd")));
        for (const QStringList &row : rows) {
            q.prepare(QStringLiteral("insert into jzd (出票全称, 出票帐号, 出票银行) values (?, ?, ?)"));
            for (const QString &value : row)
                q.addBindValue(value);
            QVERIFY(q.exec());
        }
    }
    QFrame *popup() const { return m_pick->findChild<QFrame *>(QStringLiteral("popup")); }
    QListWidget *listWidget() const
    {
        return m_pick->findChild<QListWidget *>(QStringLiteral("list"));
    }
    QToolButton *button() const { return m_pick->findChild<QToolButton *>(QStringLiteral("button")); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        store::openDatabase(m_dir.path() + u'/');
    }
    void cleanupTestCase() { store::closeDatabase(); }

    void init()
    {
        seed({{QStringLiteral("甲公司"), QStringLiteral("111"), QStringLiteral("工行")},
              {QStringLiteral("甲公司"), QStringLiteral("222"), QStringLiteral("农行")},
              {QStringLiteral("乙公司"), QStringLiteral("333"), QStringLiteral("中行")}});
        m_payers = std::make_unique<RecordSet>(
            store::kConnection,
            QStringLiteral("select distinct 出票全称, 出票帐号, 出票银行 from jzd order by 出票全称 desc, 出票帐号"));
        m_window = std::make_unique<QWidget>();
        m_window->resize(400, 300);
        m_other = new QLineEdit(m_window.get());
        m_other->setGeometry(10, 10, 100, 21);
        m_pick = new PickList(m_window.get());
        m_pick->setObjectName(QStringLiteral("szpskr"));
        m_pick->setGeometry(300, 40, 23, 21);
        m_pick->setListWidth(245);
        m_pick->bind(m_payers.get());
        m_events.clear();
        // The page's handlers: refresh on entering, note the choice.
        connect(m_pick, &PickList::entered, this, [this] {
            m_events << (m_pick->isListOpen() ? QStringLiteral("entered, open")
                                              : QStringLiteral("entered"));
            m_payers->close();
            m_payers->open();
        });
        connect(m_pick, &PickList::chosen, this, [this](const QString &name) {
            m_events << QStringLiteral("chosen ") + name;
        });
        m_window->move(100, 100);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        m_other->setFocus();
    }
    void cleanup()
    {
        m_window.reset();
        m_payers.reset();
    }

    void showsOnlyItsButton()
    {
        QVERIFY(button());
        QCOMPARE(button()->geometry(), m_pick->rect());
        QVERIFY(!m_pick->isListOpen());
    }

    void opensLeftwardsBelowTheButton()
    {
        QTest::mouseClick(button(), Qt::LeftButton);
        QVERIFY(m_pick->isListOpen());
        const QRect list = popup()->geometry();
        QCOMPARE(list.width(), 245);
        QCOMPARE(list.right(), m_pick->mapToGlobal(QPoint(m_pick->width() - 1, 0)).x());
        QCOMPARE(list.top(), m_pick->mapToGlobal(QPoint(0, m_pick->height())).y());
    }

    void clickEntersOnceBeforeOpening()
    {
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(m_events, QStringList{QStringLiteral("entered")});
        QVERIFY(m_pick->hasFocus() || listWidget()->hasFocus());
        // A later click while the control holds the focus enters again, still before opening.
        m_pick->hideList();
        QVERIFY(m_pick->hasFocus());
        QTest::mouseClick(button(), Qt::LeftButton);
        QCOMPARE(m_events, (QStringList{QStringLiteral("entered"), QStringLiteral("entered")}));
        QVERIFY(m_pick->isListOpen());
    }

    void focusEnters_data()
    {
        QTest::addColumn<int>("reason");
        QTest::addColumn<int>("entered");
        QTest::newRow("tab") << int(Qt::TabFocusReason) << 1;
        QTest::newRow("back tab") << int(Qt::BacktabFocusReason) << 1;
        QTest::newRow("other") << int(Qt::OtherFocusReason) << 1;
        QTest::newRow("window activated") << int(Qt::ActiveWindowFocusReason) << 0;
        QTest::newRow("popup closed") << int(Qt::PopupFocusReason) << 0;
    }
    void focusEnters()
    {
        QFETCH(int, reason);
        QFETCH(int, entered);
        QSignalSpy spy(m_pick, &PickList::entered);
        QFocusEvent in(QEvent::FocusIn, Qt::FocusReason(reason));
        QApplication::sendEvent(m_pick, &in);
        QCOMPARE(spy.count(), entered);
    }

    void entriesAreTheFirstColumn()
    {
        m_pick->showList();
        QCOMPARE(m_pick->entries(), (QStringList{QStringLiteral("甲公司"), QStringLiteral("甲公司"),
                                                 QStringLiteral("乙公司")}));
        QCOMPARE(listWidget()->count(), 3);
    }

    void enterChooses()
    {
        m_pick->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_pick, Qt::Key_F4);
        QVERIFY(m_pick->isListOpen());
        QTest::keyClick(listWidget(), Qt::Key_Down);
        QTest::keyClick(listWidget(), Qt::Key_Down);
        QTest::keyClick(listWidget(), Qt::Key_Return);
        QCOMPARE(m_events, (QStringList{QStringLiteral("entered"), QStringLiteral("chosen 乙公司")}));
        QVERIFY(!m_pick->isListOpen());
    }

    void mouseChooses()
    {
        QTest::mouseClick(button(), Qt::LeftButton);
        QListWidget *list = listWidget();
        const QRect second = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(m_events, (QStringList{QStringLiteral("entered"), QStringLiteral("chosen 甲公司")}));
        QVERIFY(!m_pick->isListOpen());
    }

    void keysOpen_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("opens");
        QTest::newRow("F4") << int(Qt::Key_F4) << int(Qt::NoModifier) << true;
        QTest::newRow("Alt+Down") << int(Qt::Key_Down) << int(Qt::AltModifier) << true;
        QTest::newRow("Down") << int(Qt::Key_Down) << int(Qt::NoModifier) << false;
    }
    void keysOpen()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, opens);
        m_pick->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_pick, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(m_pick->isListOpen(), opens);
    }

    void escapeCloses()
    {
        m_pick->showList();
        QTest::keyClick(listWidget(), Qt::Key_Escape);
        QVERIFY(!m_pick->isListOpen());
        QCOMPARE(m_events, QStringList{QStringLiteral("entered")});
    }

    void emptyListChoosesNothing()
    {
        seed({});
        m_pick->showList();
        QVERIFY(m_pick->isListOpen());
        QVERIFY(m_pick->entries().isEmpty());
        QTest::keyClick(listWidget(), Qt::Key_Return);
        QCOMPARE(m_events, QStringList{QStringLiteral("entered")});
    }

    void closedListOpensEmpty()
    {
        PickList pick;
        RecordSet never(store::kConnection, QStringLiteral("select 出票全称 from jzd"));
        pick.bind(&never);
        pick.showList();
        QVERIFY(pick.entries().isEmpty());
        pick.hideList();
    }
};

QTEST_MAIN(TestPickList)
#include "tst_picklist.moc"

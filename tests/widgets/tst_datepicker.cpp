#include <QApplication>
#include <QCalendarWidget>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

#include "datepicker.h"

// The date picker: only the user's choices are reported.
class TestDatePicker : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> m_window;
    DatePicker *m_picker = nullptr;

    QCalendarWidget *calendar() const
    {
        return m_picker->findChild<QCalendarWidget *>(QStringLiteral("calendar"));
    }
    QWidget *calendarView() const
    {
        return calendar()->findChild<QWidget *>(QStringLiteral("qt_calendar_calendarview"));
    }

private Q_SLOTS:
    void init()
    {
        m_window = std::make_unique<QWidget>();
        m_window->resize(400, 300);
        m_picker = new DatePicker(m_window.get());
        m_picker->setObjectName(QStringLiteral("zpdate"));
        m_picker->setGeometry(100, 40, 19, 21);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void startsWithToday()
    {
        QCOMPARE(m_picker->date(), QDate::currentDate());
        QVERIFY(m_picker->findChild<QToolButton *>(QStringLiteral("button")));
        QVERIFY(!m_picker->isCalendarOpen());
    }

    void setDateIsSilent()
    {
        QSignalSpy spy(m_picker, &DatePicker::userChanged);
        m_picker->setDate(QDate(2024, 3, 3));
        QCOMPARE(m_picker->date(), QDate(2024, 3, 3));
        m_picker->setDate(QDate(2020, 1, 1));
        QCOMPARE(spy.count(), 0);
        m_picker->setDate(QDate()); // an invalid date is ignored
        QCOMPARE(m_picker->date(), QDate(2020, 1, 1));
    }

    void choiceEmitsOnce_data()
    {
        QTest::addColumn<QDate>("shown");
        QTest::addColumn<QDate>("chosen");
        QTest::newRow("another date") << QDate(2024, 3, 1) << QDate(2024, 3, 3);
        // Choosing the date shown is still a choice: the page writes it into the record.
        QTest::newRow("the same date") << QDate(2024, 3, 3) << QDate(2024, 3, 3);
    }
    void choiceEmitsOnce()
    {
        QFETCH(QDate, shown);
        QFETCH(QDate, chosen);
        m_picker->setDate(shown);
        QSignalSpy spy(m_picker, &DatePicker::userChanged);
        m_picker->chooseDate(chosen);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toDate(), chosen);
        QCOMPARE(m_picker->date(), chosen);
    }

    void calendarOpensOnTheDate()
    {
        m_picker->setDate(QDate(2023, 11, 11));
        QTest::mouseClick(m_picker->findChild<QToolButton *>(QStringLiteral("button")),
                          Qt::LeftButton);
        QVERIFY(m_picker->isCalendarOpen());
        QCOMPARE(calendar()->selectedDate(), QDate(2023, 11, 11));
        QCOMPARE(calendar()->geometry().top(),
                 m_picker->mapToGlobal(QPoint(0, m_picker->height())).y());
    }

    void enterInTheCalendarChooses()
    {
        m_picker->setDate(QDate(2024, 3, 1));
        m_picker->setFocus(Qt::TabFocusReason);
        QTest::keyClick(m_picker, Qt::Key_F4);
        QVERIFY(m_picker->isCalendarOpen());
        QSignalSpy spy(m_picker, &DatePicker::userChanged);
        QWidget *view = calendarView();
        QVERIFY(view);
        QTest::keyClick(view, Qt::Key_Right);
        QTest::keyClick(view, Qt::Key_Right);
        QCOMPARE(spy.count(), 0); // moving in the calendar chooses nothing yet
        QTest::keyClick(view, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toDate(), QDate(2024, 3, 3));
        QVERIFY(!m_picker->isCalendarOpen());
    }

    void clickInTheCalendarChooses()
    {
        m_picker->setDate(QDate(2024, 3, 1));
        QTest::mouseClick(m_picker->findChild<QToolButton *>(QStringLiteral("button")),
                          Qt::LeftButton);
        QVERIFY(m_picker->isCalendarOpen());
        auto *view = qobject_cast<QTableView *>(calendarView());
        QVERIFY(view);
        // The 15th appears once in any month's page.
        QModelIndex fifteenth;
        for (int row = 0; row < view->model()->rowCount(); ++row) {
            for (int column = 0; column < view->model()->columnCount(); ++column) {
                const QModelIndex index = view->model()->index(row, column);
                if (index.data().toString() == u"15")
                    fifteenth = index;
            }
        }
        QVERIFY(fifteenth.isValid());
        QSignalSpy spy(m_picker, &DatePicker::userChanged);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(fifteenth).center());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().first().toDate(), QDate(2024, 3, 15));
        QCOMPARE(m_picker->date(), QDate(2024, 3, 15));
        QVERIFY(!m_picker->isCalendarOpen());
    }

    void closingWithoutChoiceEmitsNothing()
    {
        QSignalSpy spy(m_picker, &DatePicker::userChanged);
        QTest::keyClick(m_picker, Qt::Key_Down, Qt::AltModifier);
        QVERIFY(m_picker->isCalendarOpen());
        QTest::keyClick(calendarView(), Qt::Key_Escape);
        QVERIFY(!m_picker->isCalendarOpen());
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_MAIN(TestDatePicker)
#include "tst_datepicker.moc"

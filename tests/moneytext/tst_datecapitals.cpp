// Dates in capitals for the cheque date blanks, and the two-digit plain forms.

#include <QtTest>

#include "apperror.h"
#include "capitals.h"

using namespace Qt::Literals::StringLiterals;

class TestDateCapitals : public QObject
{
    Q_OBJECT

private slots:
    void months_data();
    void months();
    void days_data();
    void days();
    void years_data();
    void years();
    void numbers_data();
    void numbers();
    void digits_data();
    void digits();
    void twoDigits_data();
    void twoDigits();
    void chequeDate();
    void refusedInputs();
};

void TestDateCapitals::months_data()
{
    QTest::addColumn<int>("month");
    QTest::addColumn<QString>("text");
    const char16_t *texts[] = {u"零壹", u"零贰", u"零叁", u"零肆",   u"零伍",   u"零陆",
                               u"零柒", u"零捌", u"零玖", u"零壹拾", u"壹拾壹", u"壹拾贰"};
    for (int m = 1; m <= 12; ++m)
        QTest::addRow("%d", m) << m << QString::fromUtf16(texts[m - 1]);
}

void TestDateCapitals::months()
{
    QFETCH(int, month);
    QFETCH(QString, text);
    QCOMPARE(MonthToCapitals(QDate(2024, month, 1)), text);
}

void TestDateCapitals::days_data()
{
    QTest::addColumn<int>("day");
    QTest::addColumn<QString>("text");
    const char16_t *texts[] = {
        u"零壹",   u"零贰",   u"零叁",   u"零肆",   u"零伍",   u"零陆",   u"零柒",   u"零捌",
        u"零玖",   u"零壹拾", u"壹拾壹", u"壹拾贰", u"壹拾叁", u"壹拾肆", u"壹拾伍", u"壹拾陆",
        u"壹拾柒", u"壹拾捌", u"壹拾玖", u"零贰拾", u"贰拾壹", u"贰拾贰", u"贰拾叁", u"贰拾肆",
        u"贰拾伍", u"贰拾陆", u"贰拾柒", u"贰拾捌", u"贰拾玖", u"零叁拾", u"叁拾壹"};
    for (int d = 1; d <= 31; ++d)
        QTest::addRow("%d", d) << d << QString::fromUtf16(texts[d - 1]);
}

void TestDateCapitals::days()
{
    QFETCH(int, day);
    QFETCH(QString, text);
    QCOMPARE(DayToCapitals(QDate(2024, 1, day)), text);
}

void TestDateCapitals::years_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QString>("text");
    QTest::newRow("1999") << 1999 << u"壹玖玖玖"_s;
    QTest::newRow("2000") << 2000 << u"贰零零零"_s;
    QTest::newRow("2008") << 2008 << u"贰零零捌"_s;
    QTest::newRow("2010") << 2010 << u"贰零壹零"_s;
    QTest::newRow("2024") << 2024 << u"贰零贰肆"_s;
    QTest::newRow("1752") << 1752 << u"壹柒伍贰"_s;
    QTest::newRow("9999") << 9999 << u"玖玖玖玖"_s;
}

void TestDateCapitals::years()
{
    QFETCH(int, year);
    QFETCH(QString, text);
    QCOMPARE(YearToCapitals(QDate(year, 6, 15)), text);
}

void TestDateCapitals::numbers_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << u"壹"_s;
    QTest::newRow("9") << 9 << u"玖"_s;
    QTest::newRow("10") << 10 << u"壹拾"_s;
    QTest::newRow("11") << 11 << u"壹拾壹"_s;
    QTest::newRow("20") << 20 << u"贰拾"_s;
    QTest::newRow("25") << 25 << u"贰拾伍"_s;
    QTest::newRow("30") << 30 << u"叁拾"_s;
    QTest::newRow("31") << 31 << u"叁拾壹"_s;
}

void TestDateCapitals::numbers()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(NumberToCapitals(value), text);
}

void TestDateCapitals::digits_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("text");
    QTest::newRow("2008") << u"2008"_s << u"贰零零捌"_s;
    QTest::newRow("0123456789") << u"0123456789"_s << u"零壹贰叁肆伍陆柒捌玖"_s;
    QTest::newRow("empty") << QString() << QString();
}

void TestDateCapitals::digits()
{
    QFETCH(QString, digits);
    QFETCH(QString, text);
    QCOMPARE(DigitsToCapitals(digits), text);
}

void TestDateCapitals::twoDigits_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << 1 << u"01"_s;
    QTest::newRow("3") << 3 << u"03"_s;
    QTest::newRow("9") << 9 << u"09"_s;
    QTest::newRow("10") << 10 << u"10"_s;
    QTest::newRow("12") << 12 << u"12"_s;
    QTest::newRow("31") << 31 << u"31"_s;
}

void TestDateCapitals::twoDigits()
{
    QFETCH(int, value);
    QFETCH(QString, text);
    QCOMPARE(TwoDigits(value), text);
}

// 5 March 2024 as the cheque blanks and stub carry it.
void TestDateCapitals::chequeDate()
{
    const QDate date(2024, 3, 5);
    QCOMPARE(YearToCapitals(date), u"贰零贰肆"_s);
    QCOMPARE(MonthToCapitals(date), u"零叁"_s);
    QCOMPARE(DayToCapitals(date), u"零伍"_s);
    QCOMPARE(QString::number(date.year()), u"2024"_s);
    QCOMPARE(TwoDigits(date.month()), u"03"_s);
    QCOMPARE(TwoDigits(date.day()), u"05"_s);

    const QDate october(2024, 10, 10);
    QCOMPARE(MonthToCapitals(october), u"零壹拾"_s);
    QCOMPARE(DayToCapitals(october), u"零壹拾"_s);
    const QDate november(2024, 11, 11);
    QCOMPARE(MonthToCapitals(november), u"壹拾壹"_s);
    QCOMPARE(DayToCapitals(november), u"壹拾壹"_s);
}

void TestDateCapitals::refusedInputs()
{
    QVERIFY_THROWS_EXCEPTION(AppError, NumberToCapitals(0));
    QVERIFY_THROWS_EXCEPTION(AppError, NumberToCapitals(32));
    QVERIFY_THROWS_EXCEPTION(AppError, NumberToCapitals(-1));
    QVERIFY_THROWS_EXCEPTION(AppError, DigitsToCapitals(u"20a8"_s));
    QVERIFY_THROWS_EXCEPTION(AppError, DigitsToCapitals(u"-44"_s));
    QVERIFY_THROWS_EXCEPTION(AppError, DigitsToCapitals(u"２０"_s)); // full-width digits
    QVERIFY_THROWS_EXCEPTION(AppError, YearToCapitals(QDate()));
    QVERIFY_THROWS_EXCEPTION(AppError, MonthToCapitals(QDate()));
    QVERIFY_THROWS_EXCEPTION(AppError, DayToCapitals(QDate()));
    QVERIFY_THROWS_EXCEPTION(AppError, YearToCapitals(QDate(-44, 3, 15)));
}

QTEST_GUILESS_MAIN(TestDateCapitals)
#include "tst_datecapitals.moc"

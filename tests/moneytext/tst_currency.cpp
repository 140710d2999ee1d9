// The currency list and marks, the "0.00" amount text and the printed figure texts.

#include <cmath>
#include <limits>

#include <QtTest>

#include "apperror.h"
#include "currency.h"

using namespace Qt::Literals::StringLiterals;

class TestCurrency : public QObject
{
    Q_OBJECT

private slots:
    void namesInListOrder();
    void marks_data();
    void marks();
    void format00_data();
    void format00();
    void format00RefusesNonFinite();
    void figureText_data();
    void figureText();
    void figureTextRefusesCutDigits();
    void stubAmountText_data();
    void stubAmountText();
};

void TestCurrency::namesInListOrder()
{
    QCOMPARE(CurrencyNames(), (QStringList{u"人民币"_s, u"美元"_s, u"港币"_s, u"欧元"_s}));
    QCOMPARE(kCurrencies.size(), size_t(4));
}

void TestCurrency::marks_data()
{
    QTest::addColumn<QString>("currency");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<QString>("mark");
    QTest::newRow("人民币") << u"人民币"_s << true << u"\uFFE5"_s;
    QTest::newRow("美元") << u"美元"_s << true << u"USD"_s;
    QTest::newRow("港币") << u"港币"_s << true << u"HKD"_s;
    QTest::newRow("欧元") << u"欧元"_s << true << u"EUR"_s;
    QTest::newRow("empty") << QString() << false << QString();
    QTest::newRow("trailing space") << u"人民币 "_s << false << QString();
    QTest::newRow("code instead of name") << u"USD"_s << false << QString();
    QTest::newRow("other currency") << u"日元"_s << false << QString();
    QTest::newRow("half-width yen sign") << u"¥"_s << false << QString();
}

void TestCurrency::marks()
{
    QFETCH(QString, currency);
    QFETCH(bool, listed);
    QFETCH(QString, mark);
    const std::optional<QString> found = CurrencyMark(currency);
    QCOMPARE(found.has_value(), listed);
    if (listed)
        QCOMPARE(*found, mark);
}

void TestCurrency::format00_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");
    QTest::newRow("1234.5") << 1234.5 << u"1234.50"_s;
    QTest::newRow("0.5") << 0.5 << u"0.50"_s;
    QTest::newRow("-5") << -5.0 << u"-5.00"_s;
    QTest::newRow("0") << 0.0 << u"0.00"_s;
    QTest::newRow("-0.0") << -0.0 << u"0.00"_s;
    QTest::newRow("0.05") << 0.05 << u"0.05"_s;
    QTest::newRow("100") << 100.0 << u"100.00"_s;
    QTest::newRow("999999999999.99") << 999999999999.99 << u"999999999999.99"_s;
    // Halves of the decimal the amount stands for go away from zero, whatever the binary
    // neighbour of that decimal is.
    QTest::newRow("0.125") << 0.125 << u"0.13"_s;
    QTest::newRow("1.005") << 1.005 << u"1.01"_s;
    QTest::newRow("2.675") << 2.675 << u"2.68"_s;
    QTest::newRow("-2.675") << -2.675 << u"-2.68"_s;
    QTest::newRow("1.015") << 1.015 << u"1.02"_s;
    QTest::newRow("123456789.125") << 123456789.125 << u"123456789.13"_s;
    QTest::newRow("0.005") << 0.005 << u"0.01"_s;
    QTest::newRow("0.0049999") << 0.0049999 << u"0.00"_s;
    QTest::newRow("-0.004 has no sign") << -0.004 << u"0.00"_s;
    QTest::newRow("9.995 carries") << 9.995 << u"10.00"_s;
    QTest::newRow("99.999 carries") << 99.999 << u"100.00"_s;
    QTest::newRow("0.1 + 0.2") << 0.1 + 0.2 << u"0.30"_s;
    QTest::newRow("1e-300") << 1e-300 << u"0.00"_s;
    QTest::newRow("1e21") << 1e21 << u"1000000000000000000000.00"_s;
    QTest::newRow("1.5e-2") << 1.5e-2 << u"0.02"_s;
}

void TestCurrency::format00()
{
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(FormatAmount00(amount), text);
}

void TestCurrency::format00RefusesNonFinite()
{
    QVERIFY_THROWS_EXCEPTION(AppError, FormatAmount00(std::numeric_limits<double>::quiet_NaN()));
    QVERIFY_THROWS_EXCEPTION(AppError, FormatAmount00(std::numeric_limits<double>::infinity()));
    QVERIFY_THROWS_EXCEPTION(AppError, FormatAmount00(-std::numeric_limits<double>::infinity()));
    // The largest double still formats, all 309 whole digits of it.
    const QString largest = FormatAmount00(std::numeric_limits<double>::max());
    QCOMPARE(largest.size(), 309 + 3);
    QVERIFY(largest.startsWith(u"17976931348623157"_s));
    QVERIFY(largest.endsWith(u"000.00"_s));
}

void TestCurrency::figureText_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("text");
    QTest::newRow("1234.5 人民币") << 1234.5 << u"人民币"_s << u"\uFFE5123450"_s;
    QTest::newRow("1234.5 美元") << 1234.5 << u"美元"_s << u"USD123450"_s;
    QTest::newRow("1234.5 港币") << 1234.5 << u"港币"_s << u"HKD123450"_s;
    QTest::newRow("1234.5 欧元") << 1234.5 << u"欧元"_s << u"EUR123450"_s;
    QTest::newRow("0.05") << 0.05 << u"人民币"_s << u"\uFFE5005"_s;
    QTest::newRow("0") << 0.0 << u"人民币"_s << u"\uFFE5000"_s;
    QTest::newRow("2.675 rounds") << 2.675 << u"人民币"_s << u"\uFFE5268"_s;
    QTest::newRow("largest accepted")
        << 999999999999.99 << u"人民币"_s << u"\uFFE599999999999999"_s;
    QTest::newRow("fifteen digits") << 9999999999999.99 << u"美元"_s << u"USD999999999999999"_s;
    QTest::newRow("other currency") << 1234.5 << u"日元"_s << QString();
    QTest::newRow("empty currency") << 1234.5 << QString() << QString();
}

void TestCurrency::figureText()
{
    QFETCH(double, amount);
    QFETCH(QString, currency);
    QFETCH(QString, text);
    QCOMPARE(FigureText(amount, currency), text);
}

// Sixteen digits do not fit the figure boxes: refused, never printed cut short.
void TestCurrency::figureTextRefusesCutDigits()
{
    QVERIFY_THROWS_EXCEPTION(AppError, FigureText(1e13, u"人民币"_s));
    QVERIFY_THROWS_EXCEPTION(AppError,
                             FigureText(std::numeric_limits<double>::quiet_NaN(), u"人民币"_s));
    // Outside the list nothing is built, so nothing is refused either.
    QCOMPARE(FigureText(1e13, u"日元"_s), QString());
}

void TestCurrency::stubAmountText_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("currency");
    QTest::addColumn<QString>("text");
    QTest::newRow("1234.5 人民币") << 1234.5 << u"人民币"_s << u"\uFFE51234.50"_s;
    QTest::newRow("1234.5 美元") << 1234.5 << u"美元"_s << u"USD1234.50"_s;
    QTest::newRow("0.05 欧元") << 0.05 << u"欧元"_s << u"EUR0.05"_s;
    QTest::newRow("other currency") << 1234.5 << u"日元"_s << QString();
    QTest::newRow("empty currency") << 1234.5 << QString() << QString();
}

void TestCurrency::stubAmountText()
{
    QFETCH(double, amount);
    QFETCH(QString, currency);
    QFETCH(QString, text);
    QCOMPARE(StubAmountText(amount, currency), text);
}

QTEST_GUILESS_MAIN(TestCurrency)
#include "tst_currency.moc"

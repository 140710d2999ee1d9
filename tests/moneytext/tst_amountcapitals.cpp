// Amounts in capitals: the worked readings, the edge cases and the accepted range.

#include <cmath>
#include <limits>

#include <QtTest>

#include "apperror.h"
#include "capitals.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// Splits a decimal amount text such as "12345678901234.56" into yuan and fen.
void splitDecimal(const QString &text, qint64 &whole, int &fen)
{
    const qsizetype point = text.indexOf(u'.');
    whole = text.left(point < 0 ? text.size() : point).toLongLong();
    const QString decimals = point < 0 ? QString() : (text.mid(point + 1) + u"00"_s).left(2);
    fen = decimals.isEmpty() ? 0 : decimals.toInt();
}

} // namespace

class TestAmountCapitals : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void edgeCases_data();
    void edgeCases();
    void splitReading_data();
    void splitReading();
    void splitReadingRefusesOutOfRange();
    void convertibleRange_data();
    void convertibleRange();
    void refusedAmountsThrow_data();
    void refusedAmountsThrow();
    void largestAcceptedAmounts();
};

void TestAmountCapitals::workedExamples_data()
{
    QTest::addColumn<QString>("amount");
    QTest::addColumn<QString>("text");

    const struct
    {
        const char *amount;
        const char16_t *text;
    } rows[] = {
        {"0", u"零圆整"},
        {"0.004", u"零圆整"},
        {"0.005", u"壹分"},
        {"0.05", u"伍分"},
        {"0.1", u"壹角整"},
        {"0.5", u"伍角整"},
        {"0.55", u"伍角伍分"},
        {"1", u"壹圆整"},
        {"1.05", u"壹圆零伍分"},
        {"1.5", u"壹圆伍角整"},
        {"1.995", u"贰圆整"},
        {"10", u"壹拾圆整"},
        {"10.05", u"壹拾圆零伍分"},
        {"54", u"伍拾肆圆整"},
        {"100.07", u"壹佰圆零柒分"},
        {"100.7", u"壹佰圆柒角整"},
        {"1001", u"壹仟零壹圆整"},
        {"1010", u"壹仟零壹拾圆整"},
        {"10000", u"壹万圆整"},
        {"105000", u"壹拾万伍仟圆整"},
        {"100000.10", u"壹拾万圆壹角整"},
        {"100010", u"壹拾万零壹拾圆整"},
        {"1000001", u"壹佰万零壹圆整"},
        {"10000010", u"壹仟万零壹拾圆整"},
        {"10010000", u"壹仟零壹万圆整"},
        {"100000000", u"壹亿圆整"},
        {"100000000.01", u"壹亿圆零壹分"},
        {"100001000", u"壹亿壹仟圆整"},
        {"123456789.12", u"壹亿贰仟叁佰肆拾伍万陆仟柒佰捌拾玖圆壹角贰分"},
        {"999999999.99", u"玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"},
        {"1000000000000", u"壹万亿圆整"},
        {"12345678901234.56", u"壹拾贰万叁仟肆佰伍拾陆亿柒仟捌佰玖拾万壹仟贰佰叁拾肆圆伍角陆分"},
    };
    for (const auto &row : rows)
        QTest::newRow(row.amount) << QString::fromLatin1(row.amount)
                                  << QString::fromUtf16(row.text);
}

// Amounts from one trillion up are refused by AmountToCapitals (see convertibleRange); their
// reading is still checked through the split form that AmountToCapitals ends in.
void TestAmountCapitals::workedExamples()
{
    QFETCH(QString, amount);
    QFETCH(QString, text);
    const double value = amount.toDouble();
    if (IsConvertibleAmount(value)) {
        QCOMPARE(AmountToCapitals(value), text);
    } else {
        QVERIFY_THROWS_EXCEPTION(AppError, AmountToCapitals(value));
        qint64 whole = 0;
        int fen = 0;
        splitDecimal(amount, whole, fen);
        QCOMPARE(WholeAndFenToCapitals(whole, fen), text);
    }
}

void TestAmountCapitals::edgeCases_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("text");

    // Rounding to the fen and the carry into the whole part.
    QTest::newRow("-0.0") << -0.0 << u"零圆整"_s;
    QTest::newRow("0.0049") << 0.0049 << u"零圆整"_s;
    QTest::newRow("0.994") << 0.994 << u"玖角玖分"_s;
    QTest::newRow("0.995 carries") << 0.995 << u"壹圆整"_s;
    QTest::newRow("9.996 carries") << 9.996 << u"壹拾圆整"_s;
    QTest::newRow("9999.999 carries into 万") << 9999.999 << u"壹万圆整"_s;
    QTest::newRow("99999999.996 carries into 亿") << 99999999.996 << u"壹亿圆整"_s;
    // A group of 10 to 19 starts with 壹拾 in every group.
    QTest::newRow("19") << 19.0 << u"壹拾玖圆整"_s;
    QTest::newRow("110000") << 110000.0 << u"壹拾壹万圆整"_s;
    QTest::newRow("1500000000") << 1500000000.0 << u"壹拾伍亿圆整"_s;
    QTest::newRow("10.10") << 10.10 << u"壹拾圆壹角整"_s;
    // Group texts: the zero word inside a group, the leading-zero mark across groups.
    QTest::newRow("2345") << 2345.0 << u"贰仟叁佰肆拾伍圆整"_s;
    QTest::newRow("100") << 100.0 << u"壹佰圆整"_s;
    QTest::newRow("1001.01") << 1001.01 << u"壹仟零壹圆零壹分"_s;
    QTest::newRow("10000100") << 10000100.0 << u"壹仟万零壹佰圆整"_s;
    QTest::newRow("100000001") << 100000001.0 << u"壹亿零壹圆整"_s;
    QTest::newRow("10000000001") << 10000000001.0 << u"壹佰亿零壹圆整"_s;
    QTest::newRow("100100000000") << 100100000000.0 << u"壹仟零壹亿圆整"_s;
    QTest::newRow("100000010000") << 100000010000.0 << u"壹仟亿零壹万圆整"_s;
    QTest::newRow("101010101010") << 101010101010.0 << u"壹仟零壹拾亿壹仟零壹拾万壹仟零壹拾圆整"_s;
    QTest::newRow("200000000.5") << 200000000.5 << u"贰亿圆伍角整"_s;
    QTest::newRow("10000.05") << 10000.05 << u"壹万圆零伍分"_s;
    // The largest amount below the limit, and the carry that reaches the top group.
    QTest::newRow("999999999999.99")
        << 999999999999.99 << u"玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"_s;
    QTest::newRow("999999999999.9951 carries into 万亿") << 999999999999.9951 << u"壹万亿圆整"_s;
}

void TestAmountCapitals::edgeCases()
{
    QFETCH(double, amount);
    QFETCH(QString, text);
    QCOMPARE(AmountToCapitals(amount), text);
}

void TestAmountCapitals::splitReading_data()
{
    QTest::addColumn<qint64>("whole");
    QTest::addColumn<int>("fen");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << qint64(0) << 0 << u"零圆整"_s;
    QTest::newRow("0.07") << qint64(0) << 7 << u"柒分"_s;
    QTest::newRow("10^12 + 1") << qint64(1000000000001) << 0 << u"壹万亿零壹圆整"_s;
    QTest::newRow("10^13 + 10^4") << qint64(10000000010000) << 0 << u"壹拾万亿零壹万圆整"_s;
    QTest::newRow("2 x 10^15 + 0.30") << qint64(2000000000000000) << 30 << u"贰仟万亿圆叁角整"_s;
    QTest::newRow("10^16 - 1")
        << qint64(9999999999999999) << 99
        << u"玖仟玖佰玖拾玖万玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆玖角玖分"_s;
}

void TestAmountCapitals::splitReading()
{
    QFETCH(qint64, whole);
    QFETCH(int, fen);
    QFETCH(QString, text);
    QCOMPARE(WholeAndFenToCapitals(whole, fen), text);
}

void TestAmountCapitals::splitReadingRefusesOutOfRange()
{
    QVERIFY_THROWS_EXCEPTION(AppError, WholeAndFenToCapitals(-1, 0));
    QVERIFY_THROWS_EXCEPTION(AppError, WholeAndFenToCapitals(10000000000000000, 0));
    QVERIFY_THROWS_EXCEPTION(AppError, WholeAndFenToCapitals(1, 100));
    QVERIFY_THROWS_EXCEPTION(AppError, WholeAndFenToCapitals(1, -1));
}

void TestAmountCapitals::convertibleRange_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<bool>("convertible");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("0") << 0.0 << true;
    QTest::newRow("-0.0") << -0.0 << true;
    QTest::newRow("smallest denormal") << std::numeric_limits<double>::denorm_min() << true;
    QTest::newRow("999999999999.99") << 999999999999.99 << true;
    QTest::newRow("just below 10^12") << std::nextafter(1e12, 0.0) << true;
    QTest::newRow("10^12") << 1e12 << false;
    QTest::newRow("12345678901234.56") << 12345678901234.56 << false;
    QTest::newRow("10^16") << 1e16 << false;
    QTest::newRow("largest double") << std::numeric_limits<double>::max() << false;
    QTest::newRow("-0.01") << -0.01 << false;
    QTest::newRow("-smallest denormal") << -std::numeric_limits<double>::denorm_min() << false;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << false;
    QTest::newRow("+inf") << inf << false;
    QTest::newRow("-inf") << -inf << false;
}

void TestAmountCapitals::convertibleRange()
{
    QFETCH(double, amount);
    QFETCH(bool, convertible);
    QCOMPARE(IsConvertibleAmount(amount), convertible);
    if (convertible)
        QVERIFY(!AmountToCapitals(amount).isEmpty());
    else
        QVERIFY_THROWS_EXCEPTION(AppError, AmountToCapitals(amount));
}

void TestAmountCapitals::refusedAmountsThrow_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QString>("messageStart");

    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("negative") << -5.0 << u"金额不能为负数"_s;
    QTest::newRow("-inf") << -inf << u"金额不是有效数字"_s;
    QTest::newRow("+inf") << inf << u"金额不是有效数字"_s;
    QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << u"金额不是有效数字"_s;
    QTest::newRow("10^12") << 1e12 << u"金额超出可转换范围：1000000000000.00"_s;
    QTest::newRow("10^300") << 1e300 << u"金额超出可转换范围：1e+300"_s;
}

void TestAmountCapitals::refusedAmountsThrow()
{
    QFETCH(double, amount);
    QFETCH(QString, messageStart);
    try {
        AmountToCapitals(amount);
        QFAIL("no AppError thrown");
    } catch (const AppError &error) {
        QVERIFY2(error.message().startsWith(messageStart), qPrintable(error.message()));
    }
}

// The top of the accepted range still reads every fen exactly.
void TestAmountCapitals::largestAcceptedAmounts()
{
    QCOMPARE(AmountToCapitals(999999999999.01),
             u"玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖圆零壹分"_s);
    QCOMPARE(AmountToCapitals(987654321098.76),
             u"玖仟捌佰柒拾陆亿伍仟肆佰叁拾贰万壹仟零玖拾捌圆柒角陆分"_s);
    QCOMPARE(AmountToCapitals(500000000000.5), u"伍仟亿圆伍角整"_s);
}

QTEST_GUILESS_MAIN(TestAmountCapitals)
#include "tst_amountcapitals.moc"

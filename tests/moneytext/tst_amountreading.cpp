// AmountToCapitals against a second, independent reading of two-decimal amounts.
//
// The reading below starts from an integer count of fen, writes the yuan as a flat string of
// sixteen decimal digits and reads it left to right with the rules stated per digit:
//  - a non-zero digit is its capital followed by 仟/佰/拾/nothing by its place in its block of
//  four;
//  - "零" stands before a non-zero digit when the digit just before it is 0, the digit is not in a
//    thousands place, and some non-zero digit came earlier in the number;
//  - after each block of four: "万" for the top block and "万" for the third block when the block
//    is not all zeros, "亿" after the second block and "圆" after the last when any non-zero digit
//    came so far;
//  - then jiao and fen: nothing left -> "整"; jiao -> "x角" and then "y分" or "整"; fen alone ->
//    "y分", with "零" in front when yuan were written.
// The amount handed to AmountToCapitals is parsed from the decimal text, as a typed amount is.

#include <random>
#include <vector>

#include <QtTest>

#include "capitals.h"
#include "currency.h"

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kCapitals = u"零壹贰叁肆伍陆柒捌玖"_s;
const QString kPlaces = u"仟佰拾"_s;

QString reading(quint64 fenCount)
{
    if (fenCount == 0)
        return u"零圆整"_s;
    const quint64 yuan = fenCount / 100;
    const int jiao = int(fenCount / 10 % 10);
    const int fen = int(fenCount % 10);

    const QString digits = QString::number(yuan).rightJustified(16, u'0');
    QString out;
    bool anyDigit = false;
    for (int i = 0; i < 16; ++i) {
        const int d = digits.at(i).digitValue();
        const int place = i % 4;
        if (d != 0) {
            if (place != 0 && anyDigit && digits.at(i - 1) == u'0')
                out += u'零';
            out += kCapitals.at(d);
            if (place < 3)
                out += kPlaces.at(place);
            anyDigit = true;
        }
        if (place == 3) {
            const bool blockHasDigit = digits.mid(i - 3, 4) != u"0000";
            switch (i / 4) {
            case 0:
            case 2:
                if (blockHasDigit)
                    out += u'万';
                break;
            case 1:
                if (anyDigit)
                    out += u'亿';
                break;
            default:
                if (anyDigit)
                    out += u'圆';
                break;
            }
        }
    }

    if (jiao == 0 && fen == 0) {
        out += u'整';
    } else if (jiao == 0) {
        if (yuan > 0)
            out += u'零';
        out += kCapitals.at(fen) + u"分"_s;
    } else {
        out += kCapitals.at(jiao) + u"角"_s;
        out += fen == 0 ? u"整"_s : kCapitals.at(fen) + u"分"_s;
    }
    return out;
}

QString decimalText(quint64 fenCount)
{
    return QString::number(fenCount / 100) + u'.' +
           QString::number(fenCount % 100).rightJustified(2, u'0');
}

constexpr quint64 kLimitFen = 100'000'000'000'000; // 10^12 yuan, the first amount refused

// Every amount from 0.00 to 100.00, a seeded spread of random amounts below the limit (uniform
// and spread over every number of digits) and whole amounts with many zero digits, which is
// where the zero words differ.
std::vector<quint64> sampleFenCounts()
{
    std::vector<quint64> counts;
    for (quint64 n = 0; n <= 10000; ++n)
        counts.push_back(n);

    std::mt19937_64 random(20240305);
    std::uniform_int_distribution<quint64> uniform(0, kLimitFen - 1);
    std::uniform_int_distribution<int> digitCount(1, 14);
    for (int k = 0; k < 60000; ++k) {
        counts.push_back(uniform(random));
        quint64 top = 1;
        for (int d = digitCount(random); d > 0; --d)
            top *= 10;
        counts.push_back(std::uniform_int_distribution<quint64>(0, top - 1)(random));
    }

    // Whole amounts, and whole amounts with a few fen, whose digits are mostly zeros.
    std::bernoulli_distribution zeroDigit(0.6);
    std::uniform_int_distribution<int> nonZero(1, 9);
    std::uniform_int_distribution<int> someFen(0, 99);
    for (int k = 0; k < 40000; ++k) {
        quint64 yuan = 0;
        for (int d = 0; d < 12; ++d)
            yuan = yuan * 10 + (zeroDigit(random) ? 0 : quint64(nonZero(random)));
        counts.push_back(yuan * 100);
        counts.push_back(yuan * 100 + quint64(someFen(random)));
    }
    // A single non-zero digit in every place, and the top of the range.
    for (quint64 place = 1; place < kLimitFen; place *= 10) {
        for (quint64 d = 1; d <= 9; ++d)
            counts.push_back(d * place);
    }
    counts.push_back(kLimitFen - 1);
    return counts;
}

} // namespace

class TestAmountReading : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void readingAgreesWithExamples_data();
    void readingAgreesWithExamples();
    void capitalsMatchIndependentReading();
    void wholeAmountsInEveryGroup();
    void formatMatchesDecimalText();

private:
    std::vector<quint64> m_counts;
};

void TestAmountReading::initTestCase()
{
    m_counts = sampleFenCounts();
}

// The second reading is itself checked against readings written out by hand.
void TestAmountReading::readingAgreesWithExamples_data()
{
    QTest::addColumn<quint64>("fenCount");
    QTest::addColumn<QString>("text");
    QTest::newRow("0.05") << quint64(5) << u"伍分"_s;
    QTest::newRow("1.05") << quint64(105) << u"壹圆零伍分"_s;
    QTest::newRow("10.5") << quint64(1050) << u"壹拾圆伍角整"_s;
    QTest::newRow("100010") << quint64(10001000) << u"壹拾万零壹拾圆整"_s;
    QTest::newRow("10010000") << quint64(1001000000) << u"壹仟零壹万圆整"_s;
    QTest::newRow("100001000") << quint64(10000100000) << u"壹亿壹仟圆整"_s;
    QTest::newRow("10^12") << quint64(kLimitFen) << u"壹万亿圆整"_s;
}

void TestAmountReading::readingAgreesWithExamples()
{
    QFETCH(quint64, fenCount);
    QFETCH(QString, text);
    QCOMPARE(reading(fenCount), text);
}

void TestAmountReading::capitalsMatchIndependentReading()
{
    for (const quint64 n : m_counts) {
        const QString typed = decimalText(n);
        const double amount = typed.toDouble();
        QVERIFY2(IsConvertibleAmount(amount), qPrintable(typed));
        const QString actual = AmountToCapitals(amount);
        if (actual != reading(n))
            QFAIL(qPrintable(u"%1: got %2, expected %3"_s.arg(typed, actual, reading(n))));
    }
}

// Whole amounts up to the sixteen digits the four groups hold, through the split reading.
void TestAmountReading::wholeAmountsInEveryGroup()
{
    std::mt19937_64 random(7);
    std::bernoulli_distribution zeroDigit(0.55);
    std::uniform_int_distribution<int> nonZero(1, 9);
    std::uniform_int_distribution<int> someFen(0, 99);
    for (int k = 0; k < 30000; ++k) {
        qint64 yuan = 0;
        for (int d = 0; d < 16; ++d)
            yuan = yuan * 10 + (zeroDigit(random) ? 0 : nonZero(random));
        const int fen = k % 2 ? someFen(random) : 0;
        const QString actual = WholeAndFenToCapitals(yuan, fen);
        const QString expected = reading(quint64(yuan) * 100 + quint64(fen));
        if (actual != expected)
            QFAIL(qPrintable(
                u"%1 yuan %2 fen: got %3, expected %4"_s.arg(yuan).arg(fen).arg(actual, expected)));
    }
}

// The "0.00" text of every sampled amount is the decimal it was typed as.
void TestAmountReading::formatMatchesDecimalText()
{
    const QString yuan = u"人民币"_s;
    const QString yuanMark = u"\uFFE5"_s;
    for (const quint64 n : m_counts) {
        const QString typed = decimalText(n);
        const double amount = typed.toDouble();
        const QString formatted = FormatAmount00(amount);
        if (formatted != typed)
            QFAIL(qPrintable(u"got %1, expected %2"_s.arg(formatted, typed)));
        const QString figures = FigureText(amount, yuan);
        const QString expected = yuanMark + QString(typed).remove(u'.');
        if (figures != expected)
            QFAIL(qPrintable(u"got %1, expected %2"_s.arg(figures, expected)));
    }
}

QTEST_GUILESS_MAIN(TestAmountReading)
#include "tst_amountreading.moc"

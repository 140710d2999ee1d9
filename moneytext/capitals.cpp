#include "capitals.h"

#include <array>
#include <cmath>

#include <QDate>
#include <QLocale>

#include "apperror.h"
#include "currency.h"

using namespace Qt::Literals::StringLiterals;

namespace {

// The capital of digit d is the character at position d.
constexpr char16_t kDigitCapitals[] = u"零壹贰叁肆伍陆柒捌玖";
constexpr char16_t kZeroWord = u'零';
constexpr char16_t kTen = u'拾';

// Place units of the four positions of a group, thousands first; the units position has none.
constexpr std::array<char16_t, 4> kPlaceUnits{u'仟', u'佰', u'拾', 0};
constexpr std::array<int, 4> kPlaceValues{1000, 100, 10, 1};

// Groups of four digits from the highest: ten-thousands of 亿, 亿, 万 and units.
constexpr int kGroupCount = 4;
constexpr std::array<char16_t, kGroupCount> kGroupSuffixes{u'万', u'亿', u'万', u'圆'};
constexpr int kYiGroup = 1;
constexpr int kUnitsGroup = 3;

constexpr qint64 kWholeLimit = 10'000'000'000'000'000; // 10^16: four groups of four digits
constexpr double kAmountLimit = 1e12;

QChar digitCapital(int digit)
{
    return QChar(kDigitCapitals[digit]);
}

struct Group
{
    QString text;
    bool leadingZero = false; // a non-zero group whose thousands digit is 0
};

Group readGroup(int value)
{
    Group group;
    if (value == 0)
        return group;
    bool digitWritten = false;
    bool zeroPending = false;
    for (int position = 0; position < 4; ++position) {
        const int digit = value / kPlaceValues[position] % 10;
        if (digit == 0) {
            if (position == 0)
                group.leadingZero = true;
            else if (digitWritten)
                zeroPending = true;
            continue;
        }
        if (zeroPending)
            group.text += QChar(kZeroWord);
        group.text += digitCapital(digit);
        if (kPlaceUnits[position] != 0)
            group.text += QChar(kPlaceUnits[position]);
        digitWritten = true;
        zeroPending = false;
    }
    return group;
}

struct Fraction
{
    QString text;
    bool zeroBefore = false; // fen without jiao: "零" separates it from a written whole part
};

Fraction readFraction(int fen)
{
    const int jiao = fen / 10;
    const int cents = fen % 10;
    Fraction fraction;
    if (jiao == 0 && cents == 0)
        return fraction;
    if (jiao == 0) {
        fraction.text = digitCapital(cents) + u"分"_s;
        fraction.zeroBefore = true;
    } else if (cents == 0) {
        fraction.text = digitCapital(jiao) + u"角整"_s;
    } else {
        fraction.text = digitCapital(jiao) + u"角"_s + digitCapital(cents) + u"分"_s;
    }
    return fraction;
}

// The amount as the user sees it in a message: plain figures while they stay readable.
QString amountForMessage(double amount)
{
    if (std::fabs(amount) < 1e16)
        return FormatAmount00(amount);
    return QString::number(amount, 'g', QLocale::FloatingPointShortest);
}

int validYear(const QDate &date)
{
    if (!date.isValid())
        throw AppError(QStringLiteral("日期无效，无法写成大写。"));
    return date.year();
}

} // namespace

bool IsConvertibleAmount(double amount)
{
    // NaN fails both comparisons; infinities fail one of them.
    return amount >= 0 && amount < kAmountLimit;
}

QString AmountToCapitals(double amount)
{
    if (std::isnan(amount) || std::isinf(amount))
        throw AppError(QStringLiteral("金额不是有效数字"));
    if (amount < 0)
        throw AppError(QStringLiteral("金额不能为负数：%1").arg(amountForMessage(amount)));
    if (!IsConvertibleAmount(amount))
        throw AppError(QStringLiteral("金额超出可转换范围：%1（可转换的金额须小于一万亿圆）")
                           .arg(amountForMessage(amount)));

    // Whole part truncated; the fraction rounded to the nearest fen, halves up, in double
    // arithmetic. Below 10^12 a two-decimal amount gives exactly its two decimals.
    const double whole = std::trunc(amount);
    qint64 yuan = static_cast<qint64>(whole);
    const double fenWithHalf = (amount - whole) * 100.0 + 0.5;
    int fen = static_cast<int>(std::trunc(fenWithHalf));
    if (fen >= 100) { // a fraction of 0.995 or more is a whole yuan more
        ++yuan;
        fen = 0;
    }
    return WholeAndFenToCapitals(yuan, fen);
}

QString WholeAndFenToCapitals(qint64 whole, int fen)
{
    if (whole < 0 || whole >= kWholeLimit)
        throw AppError(QStringLiteral("金额超出可转换范围：整数部分 %1").arg(whole));
    if (fen < 0 || fen > 99)
        throw AppError(QStringLiteral("分的数目无效：%1").arg(fen));

    // G3 holds the lowest four digits, G0 the highest.
    std::array<int, kGroupCount> values{};
    qint64 rest = whole;
    for (int g = kGroupCount - 1; g >= 0 && rest != 0; --g) {
        values[g] = static_cast<int>(rest % 10000);
        rest /= 10000;
    }

    if (whole == 0 && fen == 0)
        return QStringLiteral("零圆整");

    QString result;
    result.reserve(48);
    bool written = false;
    for (int g = 0; g < kGroupCount; ++g) {
        const Group group = readGroup(values[g]);
        if (!group.text.isEmpty()) {
            if (written && group.leadingZero)
                result += QChar(kZeroWord);
            result += group.text;
            result += QChar(kGroupSuffixes[g]);
            written = true;
        } else if (written && (g == kYiGroup || g == kUnitsGroup)) {
            // A zero 亿 group under a written ten-thousands-of-亿 group still says "亿"; a zero
            // units group after a written whole part still says "圆". A zero 万 group says nothing.
            result += QChar(kGroupSuffixes[g]);
        }
    }

    const Fraction fraction = readFraction(fen);
    if (fraction.text.isEmpty()) {
        result += u'整';
    } else {
        if (fraction.zeroBefore && written)
            result += QChar(kZeroWord);
        result += fraction.text;
    }
    return result;
}

QString DigitsToCapitals(const QString &digits)
{
    QString result;
    result.reserve(digits.size());
    for (const QChar c : digits) {
        const char16_t unit = c.unicode();
        if (unit < u'0' || unit > u'9')
            throw AppError(QStringLiteral("“%1”含有非数字字符，无法写成大写。").arg(digits));
        result += digitCapital(unit - u'0');
    }
    return result;
}

QString NumberToCapitals(int value)
{
    if (value < 1 || value > 31)
        throw AppError(QStringLiteral("数字 %1 超出 1 到 31 的范围，无法写成大写。").arg(value));
    const int tens = value / 10;
    const int units = value % 10;
    QString result;
    if (tens > 0) {
        result += digitCapital(tens); // 10 to 19 read 壹拾…, never a bare 拾
        result += QChar(kTen);
    }
    if (units > 0)
        result += digitCapital(units);
    return result;
}

QString YearToCapitals(const QDate &date)
{
    const int year = validYear(date);
    if (year < 1)
        throw AppError(QStringLiteral("年份 %1 无法写成大写。").arg(year));
    return DigitsToCapitals(QString::number(year));
}

QString MonthToCapitals(const QDate &date)
{
    validYear(date);
    const int month = date.month();
    // A leading "零" up to 10 keeps anyone from writing a digit in front; 11 and 12 need none.
    if (month <= 10)
        return QChar(kZeroWord) + NumberToCapitals(month);
    return NumberToCapitals(month);
}

QString DayToCapitals(const QDate &date)
{
    validYear(date);
    const int day = date.day();
    if (day < 10 || day % 10 == 0)
        return QChar(kZeroWord) + NumberToCapitals(day);
    return NumberToCapitals(day);
}

QString TwoDigits(int value)
{
    if (value >= 0 && value < 10)
        return QLatin1Char('0') + QString::number(value);
    return QString::number(value);
}

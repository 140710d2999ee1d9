#include "currency.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "apperror.h"
#include "trim.h"

namespace {

// The figure boxes of the printed forms hold at most this many digits.
constexpr qsizetype kFigureDigits = 15;

// Digits and decimal exponent of the shortest decimal that reads back as the same double: the
// value is 0.d1d2d3... x 10^pointPosition, e.g. 2.675 -> {"2675", 1}.
struct Decimal
{
    std::string digits;
    int pointPosition = 0;
};

Decimal shortestDecimal(double magnitude)
{
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    if (ec != std::errc())
        throw AppError(QStringLiteral("金额无法格式化"));
    // The text is "d[.ddd]e±XX".
    Decimal decimal;
    const char *p = buffer;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.')
            decimal.digits += *p;
    }
    int exponent = 0;
    if (p != end) {
        ++p; // 'e'
        if (p != end && *p == '+')
            ++p; // from_chars takes a minus sign only
        std::from_chars(p, end, exponent);
    }
    decimal.pointPosition = exponent + 1;
    return decimal;
}

// Adds one to the last digit of a string of decimal digits, carrying to the left.
void incrementDigits(std::string &digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}


} // namespace

QStringList CurrencyNames()
{
    QStringList names;
    names.reserve(qsizetype(kCurrencies.size()));
    for (const Currency &currency : kCurrencies)
        names.append(QString::fromUtf16(currency.name));
    return names;
}

std::optional<QString> CurrencyMark(const QString &currencyName)
{
    for (const Currency &currency : kCurrencies) {
        if (currencyName == QStringView(currency.name))
            return QString::fromUtf16(currency.mark);
    }
    return std::nullopt;
}

QString FormatAmount00(double amount)
{
    if (!std::isfinite(amount))
        throw AppError(QStringLiteral("金额不是有效数字"));

    // Round the decimal the double stands for, not its binary expansion: 0.125 and 2.675 are
    // halves for the user even though the nearest doubles lie a little off them.
    const Decimal decimal = shortestDecimal(std::fabs(amount));
    const int point = decimal.pointPosition;
    const int length = int(decimal.digits.size());
    const auto digitAt = [&](int index) { // index 0 is the first significant digit; zeros around
        return index >= 0 && index < length ? decimal.digits[size_t(index)] : '0';
    };

    // Every digit down to the hundredths, then the thousandths digit decides the rounding.
    std::string hundredths;
    const int first = std::min(point, 1) - 1; // at least one digit before the point
    for (int index = first; index < point + 2; ++index)
        hundredths += digitAt(index);
    if (digitAt(point + 2) >= '5')
        incrementDigits(hundredths);

    // Drop leading zeros of the whole part but keep one digit before the point.
    size_t start = 0;
    while (start + 3 < hundredths.size() && hundredths[start] == '0')
        ++start;
    std::string text = hundredths.substr(start);
    text.insert(text.size() - 2, 1, '.');

    const bool zero = text.find_first_not_of("0.") == std::string::npos;
    if (amount < 0 && !zero)
        text.insert(text.begin(), '-');
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString FigureText(double amount, const QString &currency)
{
    const std::optional<QString> mark = CurrencyMark(currency);
    if (!mark)
        return {};
    const QString formatted = FormatAmount00(amount);
    const QString digits = formatted.left(formatted.size() - 3) + formatted.right(2);
    if (digits.size() > kFigureDigits)
        throw AppError(QStringLiteral("金额 %1 位数过多，超出小写金额的 %2 个数字格，无法打印。")
                           .arg(formatted)
                           .arg(kFigureDigits));
    return trimBlanksAndControls(*mark + digits);
}

QString StubAmountText(double amount, const QString &currency)
{
    const std::optional<QString> mark = CurrencyMark(currency);
    if (!mark)
        return {};
    return *mark + FormatAmount00(amount);
}

#pragma once

#include <array>
#include <optional>

#include <QString>
#include <QStringList>

// The currencies a record can carry, in the order they are matched and listed in the currency
// selectors, with the mark the amount edits show before the figures.
struct Currency
{
    const char16_t *name;
    const char16_t *mark;
};

inline constexpr std::array<Currency, 4> kCurrencies{{
    {u"人民币", u"\uFFE5"}, // full-width yen sign ￥
    {u"美元", u"USD"},
    {u"港币", u"HKD"},
    {u"欧元", u"EUR"},
}};

// The currency names in list order: "人民币", "美元", "港币", "欧元".
QStringList CurrencyNames();

// The mark of a currency, compared as exact text; none for any other text, the empty text too.
std::optional<QString> CurrencyMark(const QString &currencyName);

// The amount with the pattern "0.00": at least one digit before the point, exactly two after,
// no separators, "-" in front of a negative amount (1234.5 -> "1234.50", 0.5 -> "0.50",
// -5 -> "-5.00"). The decimal the amount stands for (its shortest round-trip form, which is what
// the user typed) is rounded half away from zero, so 2.675 gives "2.68" and 1.005 gives "1.01".
// An amount that rounds to zero has no sign. Throws AppError for NaN and infinities.
QString FormatAmount00(double amount);

// The figure text of the printed digit boxes: the currency mark followed by the digits of the
// "0.00" text without the point (1234.5 in 人民币 -> "￥123450", 0.05 -> "￥005"). Empty when the
// currency is not in the list. Throws AppError when the digits would not fit the 15 places the
// form has, rather than printing a cut amount.
QString FigureText(double amount, const QString &currency);

// The stub amount text of a cheque: the currency mark followed by the "0.00" text
// ("￥1234.50", "USD1234.50"). Empty when the currency is not in the list.
QString StubAmountText(double amount, const QString &currency);

#pragma once

#include <QtGlobal>
#include <QString>

class QDate;

// Amounts and dates written in Chinese financial capitals (大写), as the capital-amount line
// and the date blanks of deposit slips and cheques carry them.

// True for finite amounts with 0 <= amount < 10^12 (below one trillion yuan). In that range every
// amount with two decimals converts to its exact fen in double arithmetic. Amount edits check
// this before they accept an input.
bool IsConvertibleAmount(double amount);

// The amount in capitals, e.g. 1234.5 -> "壹仟贰佰叁拾肆圆伍角整", 0.05 -> "伍分", 0 -> "零圆整".
// The fraction is rounded to the nearest fen, halves up; "圆", "角" and "分" are written for every
// currency. Throws AppError when IsConvertibleAmount(amount) is false: a wrong text on a cheque
// is worse than a refused input.
QString AmountToCapitals(double amount);

// The reading of a whole part (0 to 10^16 - 1 yuan) and a fen count (0 to 99) that are already
// split. AmountToCapitals ends here after it has split and rounded the amount. Throws AppError
// when either value is outside its range.
QString WholeAndFenToCapitals(qint64 whole, int fen);

// Each decimal digit replaced by its capital: "2008" -> "贰零零捌". Throws AppError on any other
// character.
QString DigitsToCapitals(const QString &digits);

// A whole number from 1 to 31 read in capitals: 3 -> "叁", 10 -> "壹拾", 31 -> "叁拾壹".
// Throws AppError outside 1 to 31.
QString NumberToCapitals(int value);

// The year digit by digit ("贰零贰肆"), the month ("零叁", "零壹拾", "壹拾壹") and the day ("零伍",
// "零贰拾", "叁拾壹") as the capital date blanks of a cheque carry them. Throw AppError for an
// invalid date or a year before 1.
QString YearToCapitals(const QDate &date);
QString MonthToCapitals(const QDate &date);
QString DayToCapitals(const QDate &date);

// A month or a day in two decimal digits: 3 -> "03", 12 -> "12".
QString TwoDigits(int value);

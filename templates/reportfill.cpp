#include "reportfill.h"

#include "apperror.h"
#include "currency.h"
#include "report.h"

namespace {

// Where an object's text comes from.
enum class Source {
    Control,    // the text a control of the page shows
    Figure,     // the figure text, through xxedit; only with a currency of the list
    StubFigure, // the same figure text on the slip's stub; with stub only
    Jelab,      // the cheque's stub amount, through JELAB
};

struct FillEntry
{
    const char16_t *object;
    const char16_t *control;
    Source source = Source::Control;
};

constexpr FillEntry kChequeBody[] = {
    {u"yxmc", u"yxmc"},
    {u"yyd", u"yyd"},
    {u"mmd", u"mmd"},
    {u"ddd", u"ddd"},
    {u"fkh", u"fkh"},
    {u"cprzh", u"cprzh"},
    {u"skr", u"skredit"},
    {u"jedx", u"jedxedit"},
    {u"jexx", nullptr, Source::Figure},
    {u"yt", u"ytedit"},
    {u"mm", u"mm"},
};

constexpr FillEntry kChequeStub[] = {
    {u"cgyx", u"cgyx"},
    {u"fjxx1", u"fjxx1"},
    {u"fjxx2", u"fjxx2"},
    {u"fjxx3", u"fjxx3"},
    {u"yyx", u"yyx"},
    {u"mmx", u"mmx"},
    {u"ddx", u"ddx"},
    {u"cskr", u"cskr"},
    {u"cje", nullptr, Source::Jelab},
    {u"cyt", u"cyt"},
    {u"zg", u"zg"},
    {u"hj", u"hj"},
};

constexpr FillEntry kSlipBody[] = {
    {u"yxmc", u"jzyxmc"},
    {u"yyd", u"yedit"},
    {u"mmd", u"medit"},
    {u"ddd", u"dedit"},
    {u"cpqc", u"cpqc"},
    {u"cpzh", u"cpzh"},
    {u"cpyx", u"cpyx"},
    {u"skqc", u"skqc"},
    {u"skzh", u"skzh"},
    {u"skyx", u"skyx"},
    {u"dxje", u"dxedit"},
    {u"xxje", nullptr, Source::Figure},
    {u"cxxje", nullptr, Source::StubFigure},
    {u"pjzl", u"pjzl"},
    {u"pjzs", u"pjzs"},
    {u"pjhm", u"pjhm"},
    {u"fh", u"jzfh"},
    {u"jz", u"jzjz"},
    {u"bz", u"jzyt"},
};

constexpr FillEntry kSlipStub[] = {
    {u"yyx", u"cyedit"},
    {u"mmx", u"cmedit"},
    {u"ddx", u"cdedit"},
    {u"ccpqc", u"ccpqc"},
    {u"ccpzh", u"ccpzh"},
    {u"ccpyx", u"ccpyx"},
    {u"cskqc", u"cskqc"},
    {u"cskzh", u"cskzh"},
    {u"cskyx", u"cskyx"},
    {u"cpjzl", u"cpjzl"},
    {u"cpjzs", u"cpjzs"},
    {u"cpjhm", u"cpjhm"},
    {u"cfh", u"cfh"},
    {u"cjz", u"cjz"},
};

QString str(const char16_t *text)
{
    return QString::fromUtf16(text);
}

bool inCurrencyList(const QString &currency)
{
    return CurrencyMark(currency).has_value();
}

// The figure text for a currency of the list, built before anything is written: without an
// amount (or with one too long for the form) the fill stops here, and no preview or designer
// opens on a half-filled report. Nothing for any other currency.
std::optional<QString> figureText(std::optional<double> amount, const QString &currency)
{
    if (!inCurrencyList(currency))
        return std::nullopt;
    if (!amount)
        throw AppError(EmptyAmountMessage());
    return FigureText(*amount, currency);
}

template <typename Entries>
void appendNames(QStringList &names, const Entries &entries, bool withStub)
{
    for (const FillEntry &entry : entries) {
        if (entry.source != Source::StubFigure || withStub)
            names.append(str(entry.object));
    }
}

} // namespace

QString EmptyAmountMessage()
{
    return QStringLiteral("金额为空，无法打印模板。请先输入金额。");
}

bool ChequeKindWithoutStub(const QString &printKind)
{
    return printKind == u"无存根横打" || printKind == u"无存根纵打";
}

void FillChequeReport(Report &report, const QString &printKind, const ControlText &text, std::optional<double> amount,
                      const QString &currency, QString &xxedit, QString &jelab)
{
    const std::optional<QString> figure = figureText(amount, currency);
    const QString stubAmount = figure ? StubAmountText(*amount, currency) : QString();
    for (const FillEntry &entry : kChequeBody) {
        if (entry.source == Source::Figure) {
            if (!figure)
                continue;
            xxedit = *figure;
            report.setText(str(entry.object), xxedit);
        } else {
            report.setText(str(entry.object), text(str(entry.control)));
        }
    }
    if (ChequeKindWithoutStub(printKind))
        return;
    for (const FillEntry &entry : kChequeStub) {
        if (entry.source == Source::Jelab) {
            if (figure)
                jelab = stubAmount;
            report.setText(str(entry.object), jelab);
        } else {
            report.setText(str(entry.object), text(str(entry.control)));
        }
    }
}

void FillSlipReport(Report &report, bool withStub, const ControlText &text, std::optional<double> amount,
                    const QString &currency, QString &xxedit)
{
    const std::optional<QString> figure = figureText(amount, currency);
    for (const FillEntry &entry : kSlipBody) {
        switch (entry.source) {
        case Source::Figure:
            if (figure) {
                xxedit = *figure;
                report.setText(str(entry.object), xxedit);
            }
            break;
        case Source::StubFigure:
            if (figure && withStub)
                report.setText(str(entry.object), xxedit);
            break;
        default:
            report.setText(str(entry.object), text(str(entry.control)));
        }
    }
    if (!withStub)
        return;
    for (const FillEntry &entry : kSlipStub)
        report.setText(str(entry.object), text(str(entry.control)));
}

QStringList ChequeObjectNames(bool withStub)
{
    QStringList names;
    appendNames(names, kChequeBody, withStub);
    if (withStub)
        appendNames(names, kChequeStub, withStub);
    return names;
}

QStringList SlipObjectNames(bool withStub)
{
    QStringList names;
    appendNames(names, kSlipBody, withStub);
    if (withStub)
        appendNames(names, kSlipStub, withStub);
    return names;
}

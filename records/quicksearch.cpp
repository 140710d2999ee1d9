#include "quicksearch.h"

#include <QStringList>

#include "recordset.h"

namespace {

constexpr const char16_t *kSlipLines[] = {
    u"select * from jzd",
    u"where (1=1) and (银行名称 like :yxmc or 年 like :yy or 月 like :mm or 日 like :dd or 出票全称 like :cpqc or 出票帐号 like :cpzh or 出票银行 like :cpyx",
    u" or 收款全称 like :skqc or 收款帐号 like :skzh or 收款银行 like :skyx or 人民币大写 like :rmbdx or 人民币小写 like :rmbxx",
    u" or 票据种类 like :pjzl or 票据张数 like :pjzs or 票据号码 like :pjhm or 用途 like :yt or 复核 like :fh or 记账 like :jz)",
    u" ORDER BY 编号 desc",
};
constexpr const char16_t *kSlipParameters[] = {
    u"yxmc", u"yy",    u"mm",    u"dd",    u"cpqc",  u"cpzh", u"cpyx", u"skqc", u"skzh",
    u"skyx", u"rmbdx", u"rmbxx", u"pjzl",  u"pjzs",  u"pjhm", u"yt",   u"fh",   u"jz",
};
constexpr const char16_t *kChequeLines[] = {
    u"select * from zp",
    u"where (1=1) and (银行名称 like :yxmc or 日期年小 like :yy or 日期月小 like :mm or 日期日小 like :dd or 付款行名称 like :fkx or 出票人帐号 like :cpzh or 收款人 like :skr)",
    u" ORDER BY 编号 desc",
};
constexpr const char16_t *kChequeParameters[] = {
    u"yxmc", u"yy", u"mm", u"dd", u"fkx", u"cpzh", u"skr",
};

const SearchStatement kSlip{kSlipLines, kSlipParameters};
const SearchStatement kCheque{kChequeLines, kChequeParameters};

} // namespace

const SearchStatement &slipSearch()
{
    return kSlip;
}

const SearchStatement &chequeSearch()
{
    return kCheque;
}

void runQuickSearch(RecordSet &list, const SearchStatement &statement, const QString &text)
{
    list.close();
    QStringList lines;
    for (const char16_t *line : statement.lines)
        lines << QString::fromUtf16(line);
    list.setStatement(lines.join(u'\n'));
    list.clearParameters();
    const QString pattern = u'%' + text + u'%';
    for (const char16_t *name : statement.parameters)
        list.setParameter(QString::fromUtf16(name), pattern);
    list.open();
}

#include "recordgenerator.h"

#include <QDate>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <random>
#include <span>
#include <vector>

#include "apperror.h"
#include "capitals.h"

namespace benchdata {
namespace {

// Banks as the title line of the form names them, with the short form used in branch names.
struct Bank
{
    const char16_t *name;
    const char16_t *shortName;
};
constexpr Bank kBanks[] = {
    {u"中国工商银行", u"工行"},   {u"中国农业银行", u"农行"}, {u"中国银行", u"中行"},
    {u"中国建设银行", u"建行"},   {u"交通银行", u"交行"},     {u"招商银行", u"招行"},
    {u"上海浦东发展银行", u"浦发"}, {u"中信银行", u"中信"},     {u"中国民生银行", u"民生"},
    {u"兴业银行", u"兴业"},       {u"中国光大银行", u"光大"}, {u"华夏银行", u"华夏"},
    {u"平安银行", u"平安"},       {u"中国邮政储蓄银行", u"邮储"}, {u"杭州银行", u"杭银"},
    {u"宁波银行", u"甬银"},       {u"浙商银行", u"浙商"},     {u"江苏银行", u"苏银"},
};
constexpr const char16_t *kCities[] = {
    u"杭州", u"宁波", u"温州", u"绍兴", u"湖州", u"嘉兴", u"金华", u"台州", u"上海", u"苏州",
    u"无锡", u"南京", u"合肥", u"福州", u"厦门", u"广州", u"深圳", u"武汉", u"长沙", u"成都",
};
constexpr const char16_t *kDistricts[] = {
    u"城东", u"城西", u"城南", u"城北", u"西湖", u"滨江", u"高新", u"开发区", u"解放路",
    u"人民路", u"中山路", u"江干", u"经济园区", u"新区", u"北仑", u"鄞州", u"海曙", u"萧山",
};
constexpr const char16_t *kBranchKinds[] = {u"支行", u"支行", u"支行", u"分理处", u"营业部"};
constexpr const char16_t *kTradeNames[] = {
    u"青禾", u"恒达", u"鑫源", u"华联", u"远航", u"金桥", u"宏图", u"东方", u"新世纪", u"瑞丰",
    u"永盛", u"天成", u"富康", u"盛大", u"嘉和", u"隆兴", u"海川", u"明辉", u"德润", u"佳美",
    u"正泰", u"通达", u"安信", u"广源", u"锦程", u"万和", u"中天", u"银河", u"星光", u"华美",
};
constexpr const char16_t *kIndustries[] = {
    u"商贸", u"机械制造", u"电子科技", u"建筑工程", u"食品", u"纺织", u"物流", u"医药",
    u"化工", u"印务", u"服饰", u"五金", u"家具", u"建材", u"汽车配件", u"软件", u"农业开发",
};
// Unincorporated endings; kCompanySuffix is added with its own chance.
constexpr const char16_t *kOtherEndings[] = {u"厂", u"集团", u"商行", u"经营部", u"研究所",
                                             u"服务中心", u"门市部", u"工作室"};
constexpr const char16_t *kInstrumentKinds[] = {u"转账支票", u"转账支票", u"转账支票", u"银行汇票",
                                                u"银行本票", u"商业承兑汇票", u"银行承兑汇票",
                                                u"现金支票"};
constexpr const char16_t *kRemarks[] = {
    u"货款", u"工程款", u"服务费", u"租金", u"往来款", u"预付款", u"设备款", u"材料款",
    u"运费", u"保证金", u"退款", u"报销款", u"加工费", u"咨询费", u"广告费", u"维修费",
    u"押金", u"水电费", u"技术服务费", u"代收款",
};
constexpr const char16_t *kPeople[] = {u"张伟", u"王芳", u"李娜", u"刘洋", u"陈静", u"杨磊",
                                       u"赵敏", u"黄丽", u"周强", u"吴霞", u"徐军", u"孙燕"};
constexpr const char16_t *kStubNotes[] = {u"发票已开", u"合同号HT", u"附清单", u"对方已确认",
                                          u"财务专用", u"第二期"};

// A party drawn at random is incorporated with this chance. Six payees in ten are the own unit
// (not incorporated), so a slip names a company with 1 - 0.6 × (1 - 0.4 × 0.4) ≈ one in two.
constexpr double kCompanyChance = 0.4;
constexpr double kOwnPayeeChance = 0.6;
constexpr double kRareRemarkChance = 0.0005;
constexpr double kEmptyRemarkChance = 0.08;

class Generator
{
public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}

    int number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_random); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(m_random) < p; }
    template <typename T, size_t n>
    QString pick(const T (&items)[n])
    {
        return QString::fromUtf16(items[number(0, int(n) - 1)]);
    }

    QString digits(int count)
    {
        QString text(count, u'0');
        text[0] = QChar(u'1' + number(0, 8));
        for (int i = 1; i < count; ++i)
            text[i] = QChar(u'0' + number(0, 9));
        return text;
    }

    // A payer or payee: the company, its account and the branch where it is held.
    struct Party
    {
        QString name, account, bank;
    };
    Party newParty()
    {
        QString name = pick(kCities) + pick(kTradeNames) + pick(kIndustries);
        name += chance(0.5) ? kCompanySuffix : pick(kOtherEndings);
        return {name, digits(number(12, 19)), branch()};
    }

    QString branch()
    {
        const Bank &bank = kBanks[number(0, int(std::size(kBanks)) - 1)];
        return QString::fromUtf16(bank.shortName) + pick(kCities) + pick(kDistricts) +
               pick(kBranchKinds);
    }
    QString bankName() { return QString::fromUtf16(kBanks[number(0, int(std::size(kBanks)) - 1)].name); }

    // Amounts spread over five orders of magnitude, a third of them whole hundreds.
    double amount()
    {
        const double raw = std::exp(std::uniform_real_distribution<double>(std::log(20.0),
                                                                           std::log(3e6))(m_random));
        if (chance(0.33))
            return std::max(100.0, std::round(raw / 100) * 100);
        return std::round(raw * 100) / 100;
    }

    QString remark()
    {
        if (chance(kRareRemarkChance))
            return kRareRemark;
        if (chance(kEmptyRemarkChance))
            return {};
        QString text = pick(kRemarks);
        if (chance(0.3))
            text.prepend(QString::number(number(1, 12)) + u'月');
        return text;
    }

    QString person() { return pick(kPeople); }

    // n dates over ten years, in order.
    std::vector<QDate> dates(int n)
    {
        const QDate first(2015, 1, 1);
        const int span = int(first.daysTo(QDate(2024, 12, 31)));
        std::vector<QDate> dates;
        dates.reserve(size_t(n));
        for (int i = 0; i < n; ++i)
            dates.push_back(first.addDays(number(0, span)));
        std::sort(dates.begin(), dates.end());
        return dates;
    }

private:
    std::mt19937 m_random;
};

// A party of the books: an incorporated company with kCompanyChance, another one otherwise. The
// same party comes back with the same account and bank, as in real books.
Generator::Party drawParty(Generator &g, std::vector<Generator::Party> &companies,
                           std::vector<Generator::Party> &others)
{
    auto &pool = g.chance(kCompanyChance) ? companies : others;
    return pool[size_t(g.number(0, int(pool.size()) - 1))];
}

void run(QSqlQuery &query)
{
    if (!query.exec())
        throw AppError(query.lastError().text());
}

void prepare(QSqlQuery &query, const QString &statement)
{
    if (!query.prepare(statement))
        throw AppError(query.lastError().text());
}

QString insertStatement(const QString &table, const QStringList &columns)
{
    QStringList marks;
    for (qsizetype i = 0; i < columns.size(); ++i)
        marks << QStringLiteral("?");
    return QStringLiteral("insert into %1 (%2) values (%3)")
        .arg(table, columns.join(u','), marks.join(u','));
}

QVariant orNull(const QString &text)
{
    return text.isEmpty() ? QVariant(QMetaType::fromType<QString>()) : QVariant(text);
}

QString currency(Generator &g)
{
    if (!g.chance(0.04))
        return QStringLiteral("人民币");
    const QString others[] = {QStringLiteral("美元"), QStringLiteral("港币"), QStringLiteral("欧元")};
    return others[g.number(0, 2)];
}

void insertSlips(QSqlDatabase &db, Generator &g, int count,
                 std::vector<Generator::Party> &companies, std::vector<Generator::Party> &others)
{
    const QStringList columns = {
        QStringLiteral("银行名称"), QStringLiteral("年"),       QStringLiteral("月"),
        QStringLiteral("日"),       QStringLiteral("出票全称"), QStringLiteral("出票帐号"),
        QStringLiteral("出票银行"), QStringLiteral("收款全称"), QStringLiteral("收款帐号"),
        QStringLiteral("收款银行"), QStringLiteral("人民币大写"), QStringLiteral("人民币小写"),
        QStringLiteral("票据种类"), QStringLiteral("票据张数"), QStringLiteral("票据号码"),
        QStringLiteral("用途"),     QStringLiteral("复核"),     QStringLiteral("记账"),
        QStringLiteral("币别")};
    QSqlQuery query(db);
    prepare(query, insertStatement(QStringLiteral("jzd"), columns));
    // The own unit deposits most slips: the payee is mostly one of its three accounts.
    const std::vector<Generator::Party> own(others.begin(), others.begin() + 3);
    for (const QDate &date : g.dates(count)) {
        const Generator::Party payer = drawParty(g, companies, others);
        const Generator::Party payee =
            g.chance(kOwnPayeeChance) ? own[size_t(g.number(0, 2))] : drawParty(g, companies, others);
        const double amount = g.amount();
        const QVariant values[] = {
            g.bankName(),
            QString::number(date.year()),
            TwoDigits(date.month()),
            TwoDigits(date.day()),
            payer.name,
            payer.account,
            payer.bank,
            payee.name,
            payee.account,
            payee.bank,
            AmountToCapitals(amount),
            amount,
            g.pick(kInstrumentKinds),
            QString::number(g.chance(0.8) ? 1 : g.number(2, 6)),
            g.digits(8),
            orNull(g.remark()),
            g.person(),
            g.person(),
            currency(g),
        };
        for (int i = 0; i < int(std::size(values)); ++i)
            query.bindValue(i, values[i]);
        run(query);
    }
}

void insertCheques(QSqlDatabase &db, Generator &g, int count,
                   std::vector<Generator::Party> &companies, std::vector<Generator::Party> &others)
{
    const QStringList columns = {
        QStringLiteral("银行名称"),  QStringLiteral("日期年大"),  QStringLiteral("日期月大"),
        QStringLiteral("日期日大"),  QStringLiteral("付款行名称"), QStringLiteral("出票人帐号"),
        QStringLiteral("收款人"),    QStringLiteral("金额大写"),  QStringLiteral("金额小写"),
        QStringLiteral("用途"),      QStringLiteral("存根银行"),  QStringLiteral("附加信息1"),
        QStringLiteral("附加信息2"), QStringLiteral("附加信息3"), QStringLiteral("日期年小"),
        QStringLiteral("日期月小"),  QStringLiteral("日期日小"),  QStringLiteral("单位主管"),
        QStringLiteral("会计"),      QStringLiteral("币别")};
    QSqlQuery query(db);
    prepare(query, insertStatement(QStringLiteral("zp"), columns));
    // Cheques are drawn on the accounts of the own unit.
    const std::vector<Generator::Party> own(others.begin(), others.begin() + 3);
    const QString head = g.person();
    const QString accountant = g.person();
    for (const QDate &date : g.dates(count)) {
        const Generator::Party &drawer = own[size_t(g.number(0, 2))];
        const Generator::Party payee = drawParty(g, companies, others);
        const double amount = g.amount();
        const QString bank = drawer.bank;
        const QVariant values[] = {
            bank,
            YearToCapitals(date),
            MonthToCapitals(date),
            DayToCapitals(date),
            drawer.bank,
            drawer.account,
            payee.name,
            AmountToCapitals(amount),
            amount,
            orNull(g.remark()),
            bank,
            orNull(g.chance(0.3) ? g.pick(kStubNotes) : QString()),
            orNull(g.chance(0.1) ? g.pick(kStubNotes) : QString()),
            QVariant(QMetaType::fromType<QString>()),
            QString::number(date.year()),
            TwoDigits(date.month()),
            TwoDigits(date.day()),
            head,
            accountant,
            currency(g),
        };
        for (int i = 0; i < int(std::size(values)); ++i)
            query.bindValue(i, values[i]);
        run(query);
    }
}

} // namespace

GeneratedSlips fillDatabase(const QString &connectionName, int slips, int cheques, std::uint32_t seed)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    if (!db.isOpen())
        throw AppError(QStringLiteral("没有连接到数据库。"));
    Generator g(seed);
    // Two pools of parties, incorporated companies and others, drawn from with a fixed chance
    // so the share of each in the records does not depend on the luck of the pools.
    std::vector<Generator::Party> companies, others;
    while (companies.size() < 600 || others.size() < 1400) {
        Generator::Party p = g.newParty();
        auto &pool = p.name.endsWith(kCompanySuffix) ? companies : others;
        if (pool.size() < (&pool == &companies ? 600u : 1400u))
            pool.push_back(std::move(p));
    }
    if (!db.transaction())
        throw AppError(db.lastError().text());
    try {
        insertSlips(db, g, slips, companies, others);
        insertCheques(db, g, cheques, companies, others);
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit())
        throw AppError(db.lastError().text());
    return {slips, cheques};
}

} // namespace benchdata

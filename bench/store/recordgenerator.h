#pragma once

#include <QString>

#include <cstdint>

// Fills a program folder's database with realistic records for the benchmarks: deposit slips
// (jzd) and cheques (zp) as finance staff keep them over ten years, with Chinese company and
// bank names, account numbers, two-decimal amounts with their capitals, instrument data and
// remarks. Everything is inserted in one transaction, so a hundred thousand rows take seconds.
namespace benchdata {

// What the generated slips hold, so a benchmark can pick search texts with a known reach.
struct GeneratedSlips
{
    int slips = 0;
    int cheques = 0;
};

// Remarks that only a handful of slips carry (about one in two thousand): a search for it
// matches almost nothing.
inline const QString kRareRemark = QStringLiteral("出口退税");
// The ending of the incorporated company names: about half the slips name such a company as
// payer or payee, so a search for it matches about half the slips.
inline const QString kCompanySuffix = QStringLiteral("有限公司");

// Inserts `slips` deposit slips and `cheques` cheques into the open connection, in date order
// (编号 grows with the date, as when they were entered day by day). The same seed gives the
// same records. Throws AppError when a statement fails; nothing is kept then.
GeneratedSlips fillDatabase(const QString &connectionName, int slips, int cheques,
                            std::uint32_t seed = 20240601);

} // namespace benchdata

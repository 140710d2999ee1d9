// Opening the unsearched record list of a page ("select * from jzd order by 编号", as the main
// window does on activation) against the floor of stepping the same statement through SQLite,
// and the resident memory the open list adds.
//
// Goal at 100,000 slips: opening costs at most 1.5 × the floor and adds at most 120 MB.

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

#include <memory>

#include "benchfolder.h"
#include "recordset.h"
#include "sqlitefloor.h"
#include "sqltexts.h"

namespace {

using benchdata::benchFolder;

constexpr double kMB = 1024.0 * 1024.0;

void openList(benchmark::State &state, const QString &statement, const QString &table)
{
    const benchdata::BenchFolder &folder = benchFolder(int(state.range(0)));
    RecordSet list(folder.connection, statement, table, QStringLiteral("编号"));

    // What the first opening adds to the process, freed memory handed back before.
    benchdata::trimHeap();
    const std::size_t residentBefore = benchdata::residentBytes();
    const std::size_t heapBefore = benchdata::heapBytesInUse();
    list.open();
    const std::size_t residentAfter = benchdata::residentBytes();
    const std::size_t heapAfter = benchdata::heapBytesInUse();

    for (auto _ : state) {
        state.PauseTiming();
        list.close();
        state.ResumeTiming();
        list.open();
    }
    state.counters["rows"] = list.rowCount();
    state.counters["rss_added_MB"] = double(residentAfter - residentBefore) / kMB;
    state.counters["heap_added_MB"] = double(heapAfter - heapBefore) / kMB;
    state.SetItemsProcessed(state.iterations() * list.rowCount());
}

// The first opening of a list object, with no memory of an earlier list to reuse: what the
// main window's first activation costs.
void openFreshList(benchmark::State &state, const QString &statement, const QString &table)
{
    const benchdata::BenchFolder &folder = benchFolder(int(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<RecordSet>(folder.connection, statement, table,
                                                QStringLiteral("编号"));
        benchdata::trimHeap();
        state.ResumeTiming();
        list->open();
        state.PauseTiming();
        rows = list->rowCount();
        list.reset();
        state.ResumeTiming();
    }
    state.counters["rows"] = rows;
    state.SetItemsProcessed(state.iterations() * rows);
}

void floorOf(benchmark::State &state, const QString &statement)
{
    const benchdata::BenchFolder &folder = benchFolder(int(state.range(0)));
    const benchdata::SqliteFloor floor(folder.databaseFile);
    int rows = 0;
    for (auto _ : state) {
        const benchdata::SqliteFloor::Result result = floor.run(statement);
        benchmark::DoNotOptimize(result.checksum);
        rows = result.rows;
    }
    state.counters["rows"] = rows;
    state.SetItemsProcessed(state.iterations() * rows);
}

// Stepping the statement through Qt's SQLite driver, reading every value and keeping none:
// what the driver costs before the list holds anything.
void BM_SlipListQtDriver(benchmark::State &state)
{
    const benchdata::BenchFolder &folder = benchFolder(int(state.range(0)));
    int rows = 0;
    for (auto _ : state) {
        QSqlQuery query(QSqlDatabase::database(folder.connection, false));
        query.setForwardOnly(true);
        query.prepare(sql::kSlipList);
        query.exec();
        const int columns = query.record().count();
        rows = 0;
        while (query.next()) {
            ++rows;
            for (int i = 0; i < columns; ++i)
                benchmark::DoNotOptimize(query.value(i));
        }
    }
    state.counters["rows"] = rows;
}
BENCHMARK(BM_SlipListQtDriver)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_OpenSlipList(benchmark::State &state)
{
    openList(state, sql::kSlipList, QStringLiteral("jzd"));
}
void BM_OpenSlipListFirst(benchmark::State &state)
{
    openFreshList(state, sql::kSlipList, QStringLiteral("jzd"));
}
void BM_OpenSlipListFloor(benchmark::State &state)
{
    floorOf(state, sql::kSlipList);
}
void BM_OpenChequeList(benchmark::State &state)
{
    openList(state, sql::kChequeList, QStringLiteral("zp"));
}
void BM_OpenChequeListFloor(benchmark::State &state)
{
    floorOf(state, sql::kChequeList);
}

BENCHMARK(BM_OpenSlipList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSlipListFirst)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSlipListFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenChequeList)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenChequeListFloor)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv); // the SQL driver plugins need it
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    benchdata::removeBenchFolders();
    return 0;
}

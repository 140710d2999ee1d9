// One quick-search keystroke on the deposit-slip page, from the change of the `lcjzd` text to
// the grid, the bound fields and the footer total showing the records found, against the floor
// of stepping the same statement with the same parameters through SQLite.
//
// Goal at 100,000 slips: a keystroke costs at most 1.3 × the floor.

#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "benchfolder.h"
#include "depositslippage.h"
#include "queries.h"
#include "quicksearch.h"
#include "recordgenerator.h"
#include "recordgrid.h"
#include "recordset.h"
#include "sqlitefloor.h"

namespace {

using benchdata::benchFolder;

// The texts searched, by the benchmark's second argument.
QString searchText(long index)
{
    switch (index) {
    case 0:
        return benchdata::kRareRemark; // almost nothing
    case 1:
        return benchdata::kCompanySuffix; // about half the slips
    default:
        return QStringLiteral(".0"); // every whole amount, through its text "1200.0"
    }
}

// The page over a benchmark folder, as the main window has it after activation: the lists
// opened, the page built and shown.
struct PageOver
{
    std::unique_ptr<Queries> queries;
    std::unique_ptr<DepositSlipPage> page;
    QLineEdit *search = nullptr;
};

std::map<int, PageOver> pages;

PageOver &pageOver(int records)
{
    auto it = pages.find(records);
    if (it != pages.end())
        return it->second;
    const benchdata::BenchFolder &folder = benchFolder(records);
    PageOver p;
    p.queries = std::make_unique<Queries>(folder.connection);
    p.queries->jzdqry->open();
    p.queries->sjzcpqry->open();
    p.queries->sjzskqry->open();
    p.page = std::make_unique<DepositSlipPage>(p.queries.get(), nullptr);
    p.page->resize(1000, 600);
    p.page->show();
    QCoreApplication::processEvents();
    p.search = qobject_cast<QLineEdit *>(p.page->control(u"lcjzd"));
    return pages.emplace(records, std::move(p)).first->second;
}

void BM_SlipKeystroke(benchmark::State &state)
{
    PageOver &p = pageOver(int(state.range(0)));
    const QString text = searchText(state.range(1));
    RecordGrid *grid = p.page->grid();
    const int sumColumn = grid->columnOf(QStringLiteral("人民币小写"));
    // The list as the previous keystroke left it, so each one replaces a list of its size.
    p.search->setText(text);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        state.PauseTiming();
        {
            const QSignalBlocker quiet(p.search);
            p.search->clear();
        }
        state.ResumeTiming();
        p.search->setText(text);
        QCoreApplication::processEvents(); // the grid and the footer paint
        benchmark::DoNotOptimize(grid->footerText(sumColumn));
    }
    state.counters["rows"] = p.queries->jzdqry->rowCount();
    state.SetLabel(text.toStdString());
}

void BM_SlipSearchFloor(benchmark::State &state)
{
    const benchdata::BenchFolder &folder = benchFolder(int(state.range(0)));
    const QString text = searchText(state.range(1));
    const SearchStatement &search = slipSearch();
    QStringList lines;
    for (const char16_t *line : search.lines)
        lines << QString::fromUtf16(line);
    std::vector<std::pair<QString, QString>> parameters;
    for (const char16_t *name : search.parameters)
        parameters.emplace_back(QString::fromUtf16(name), u'%' + text + u'%');
    const benchdata::SqliteFloor floor(folder.databaseFile);
    const QString statement = lines.join(u'\n');
    int rows = 0;
    for (auto _ : state) {
        const benchdata::SqliteFloor::Result result = floor.run(statement, parameters);
        benchmark::DoNotOptimize(result.checksum);
        rows = result.rows;
    }
    state.counters["rows"] = rows;
    state.SetLabel(text.toStdString());
}

void searchArguments(benchmark::internal::Benchmark *b)
{
    for (int records : {10000, 100000}) {
        for (int text : {0, 1, 2})
            b->Args({records, text});
    }
    b->ArgNames({"records", "text"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_SlipKeystroke)->Apply(searchArguments);
BENCHMARK(BM_SlipSearchFloor)->Apply(searchArguments);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    pages.clear(); // the widgets and lists go while the application is there
    benchdata::removeBenchFolders();
    return 0;
}

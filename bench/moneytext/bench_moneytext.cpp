// Cost of one amount-to-capitals conversion, the work done each time an amount edit is left,
// and of the "0.00" text the print paths build.

#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "capitals.h"
#include "currency.h"

namespace {

// Two-decimal amounts spread over every number of whole digits from 1 to 12, with some
// hand-picked shapes (zeros inside and across groups, fen only, jiao only).
std::vector<double> spreadOfAmounts()
{
    std::vector<double> amounts{0.0,      0.05,         0.5,         1.05,           10.5,
                                100010.0, 10000010.0,   100001000.0, 123456789.12,   999999999.99,
                                1001.01,  100000000.01, 105000.0,    987654321098.76};
    std::mt19937_64 random(42);
    std::uniform_int_distribution<int> digitCount(1, 12);
    while (amounts.size() < 1024) {
        long long top = 1;
        for (int d = digitCount(random); d > 0; --d)
            top *= 10;
        const long long yuan = std::uniform_int_distribution<long long>(0, top - 1)(random);
        const int fen = std::uniform_int_distribution<int>(0, 99)(random);
        amounts.push_back(double(yuan) + fen / 100.0);
    }
    return amounts;
}

void BM_AmountToCapitals(benchmark::State &state)
{
    const std::vector<double> amounts = spreadOfAmounts();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(AmountToCapitals(amounts[i]));
        i = (i + 1) % amounts.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_AmountToCapitals);

void BM_FormatAmount00(benchmark::State &state)
{
    const std::vector<double> amounts = spreadOfAmounts();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FormatAmount00(amounts[i]));
        i = (i + 1) % amounts.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FormatAmount00);

} // namespace

BENCHMARK_MAIN();

#include "MoorletCore/AnalyticsEngine.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

// The analytics run over the whole log: after every logged block (today's time and count, the
// streak and the best hour) and whenever the insights window draws. These measure both against
// a heavy user's history of 100 000 blocks over ten years, in a zone with daylight saving.

namespace {

using moorlet::AnalyticsEngine;
using moorlet::FocusRecord;
using veltrane::Calendar;

constexpr int kRecordCount = 100'000;
constexpr int kYears = 10;

const Calendar& newYork()
{
    static const Calendar calendar = *Calendar::named("America/New_York");
    return calendar;
}

veltrane::Instant now()
{
    return *newYork().instant({ 2026, 3, 9, 18, 0, 0 });
}

// Blocks of 5 to 60 minutes at daytime hours, in time order as the log keeps them, a fifth cut
// short, tagged with one of five subjects or untagged. The seed is fixed.
std::vector<FocusRecord> history(bool shuffled)
{
    std::mt19937 random(20260309);
    const auto end = now();
    const auto span = kYears * 365.25 * 86'400;
    std::uniform_real_distribution<double> offset(0, span);
    std::uniform_real_distribution<double> length(300, 3600);
    std::bernoulli_distribution completed(0.8);
    std::uniform_int_distribution<int> subject(0, 5);
    const char* subjects[] = { "Math", "Work", "Reading", "Writing", "Physics" };

    std::vector<veltrane::Instant> starts(kRecordCount);
    for (auto& start : starts)
        start = end - offset(random);
    std::sort(starts.begin(), starts.end());
    std::vector<FocusRecord> records;
    records.reserve(kRecordCount);
    for (const auto start : starts) {
        const auto tag = subject(random);
        records.emplace_back(start, length(random), completed(random),
            tag < 5 ? std::optional<std::string>(subjects[tag]) : std::nullopt);
    }
    if (shuffled)
        std::shuffle(records.begin(), records.end(), random);
    return records;
}

void afterEveryBlock(benchmark::State& state)
{
    const auto records = history(state.range(0) != 0);
    const AnalyticsEngine analytics(newYork());
    const auto asOf = now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(analytics.focus(asOf, records));
        benchmark::DoNotOptimize(analytics.completedCount(asOf, records));
        benchmark::DoNotOptimize(analytics.currentStreak(records, asOf, 3600));
        benchmark::DoNotOptimize(analytics.bestHourLabel(records));
    }
    state.SetItemsProcessed(state.iterations() * kRecordCount);
}

void insightsWindow(benchmark::State& state)
{
    const auto records = history(state.range(0) != 0);
    const AnalyticsEngine analytics(newYork());
    const auto asOf = now();
    for (auto _ : state) {
        benchmark::DoNotOptimize(analytics.summary(records, 7, asOf));
        benchmark::DoNotOptimize(analytics.summary(records, 30, asOf));
        benchmark::DoNotOptimize(analytics.dailyTotals(records, 112, asOf));
        benchmark::DoNotOptimize(analytics.hourBuckets(records));
        benchmark::DoNotOptimize(analytics.bySubject(records, "Unlabeled"));
    }
    state.SetItemsProcessed(state.iterations() * kRecordCount);
}

} // namespace

// Argument 0: records in log order; 1: the same records shuffled.
BENCHMARK(afterEveryBlock)->ArgName("shuffled")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(insightsWindow)->ArgName("shuffled")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The insights window reads the whole session log, which is never pruned: these measure it over
// 100 000 stored sessions (decades of daily use), against the 100 ms a window may take to open or
// to switch between the week and the month, and the 300 ms a recap PNG may take to render.
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Insights/InsightsWindow.h"
#include "Moorlet/Recap/FocusRecap.h"
#include "Moorlet/Recap/FocusRecapPhotoCard.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "VeltraneKit/Settings/MemoryUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"
#include "tests/Moorlet/Insights/FocusHistory.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace moorlet;

namespace {

constexpr auto kStoredSessions = 100'000;
// 2026-03-10 09:00 UTC.
constexpr veltrane::Instant kNow = 1773133200;

struct Objects {
    std::shared_ptr<veltrane::TestClock> clock = std::make_shared<veltrane::TestClock>(kNow);
    std::shared_ptr<veltrane::MemoryUserDefaults> defaults = std::make_shared<veltrane::MemoryUserDefaults>();
    veltrane::SettingsStore settings { defaults };
    FocusSettings focusSettings { defaults };
    LocalDataStore store { std::nullopt, nullptr, clock, veltrane::Calendar::utc() };

    Objects()
    {
        for (const auto& session : focushistory::make(kNow, 3650, kStoredSessions))
            store.addSession(session);
    }

    std::unique_ptr<InsightsWindow> window()
    {
        return std::make_unique<InsightsWindow>(store, focusSettings, settings, QColor(0x6E, 0x6C, 0xFF),
            AnalyticsEngine(veltrane::Calendar::utc()), ViewEnvironment { nullptr, nullptr, clock, nullptr });
    }
};

Objects& objects()
{
    static Objects shared;
    return shared;
}

// Opening: the window computes every figure and paints the whole dashboard once.
void BM_OpenInsights(benchmark::State& state)
{
    auto& shared = objects();
    for (auto _ : state) {
        auto window = shared.window();
        benchmark::DoNotOptimize(window->renderContent());
    }
}
BENCHMARK(BM_OpenInsights)->Unit(benchmark::kMillisecond);

// One switch of the picker, week to month or back, and the repaint that follows.
void BM_SwitchRange(benchmark::State& state)
{
    auto window = objects().window();
    int days = 7;
    for (auto _ : state) {
        days = days == 7 ? 30 : 7;
        window->view().setRangeDays(days);
        benchmark::DoNotOptimize(window->renderContent());
    }
}
BENCHMARK(BM_SwitchRange)->Unit(benchmark::kMillisecond);

// A recap over a camera-sized photo, rendered at twice the card's size and encoded as PNG.
void BM_RecapPng(benchmark::State& state)
{
    QImage photo(4032, 3024, QImage::Format_RGB32);
    QPainter painter(&photo);
    QLinearGradient sky(0, 0, 0, 3024);
    sky.setColorAt(0, QColor(0x1B, 0x26, 0x4F));
    sky.setColorAt(1, QColor(0xF6, 0xA0, 0x5E));
    painter.fillRect(photo.rect(), sky);
    painter.end();
    RecapData data;
    data.period = QStringLiteral("This week");
    data.focusLabel = QStringLiteral("12h 40m");
    data.bars.assign(7, RecapData::Bar { 0.5, QStringLiteral("M"), false });
    for (auto _ : state) {
        const QImage card = FocusRecapPhotoCard(data, photo, 1.6, QPointF(120, 0)).render(2);
        benchmark::DoNotOptimize(FocusRecap::pngData(card));
    }
}
BENCHMARK(BM_RecapPng)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

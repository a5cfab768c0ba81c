// What one write-through costs: a change of a setting rewrites and syncs the whole defaults file,
// on the main thread. Run on the file system that holds the user's config folder to see what a
// settings control or a dragged panel pays per change.

#include "Moorlet/Settings/FocusSettings.h"
#include "VeltraneKit/Settings/FileUserDefaults.h"
#include "VeltraneKit/Settings/SettingsStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::string name = (fs::temp_directory_path() / "moorlet-bench-XXXXXX").string();
        m_path = ::mkdtemp(name.data()) ? fs::path(name) : fs::temp_directory_path();
    }
    ~ScratchFolder()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    fs::path file() const { return m_path / "defaults.json"; }

private:
    fs::path m_path;
};

// A file the size the application's own keys make: both settings objects written out once.
void fillWithEveryKey(const veltrane::UserDefaultsPtr& defaults)
{
    veltrane::SettingsStore store(defaults);
    store.setHostMonitorID(QStringLiteral("HDMI-1"));
    moorlet::FocusSettings settings(defaults);
    settings.setSubjects(settings.subjects());
    settings.setDailyGoalMinutes(90);
}

void BM_FileWriteThrough(benchmark::State& state)
{
    ScratchFolder folder;
    auto defaults = std::make_shared<veltrane::FileUserDefaults>(folder.file());
    fillWithEveryKey(defaults);
    double value = 0;
    for (auto _ : state)
        defaults->setNumber("com.veltrane.widgetOpacity", value += 0.001);
}
BENCHMARK(BM_FileWriteThrough)->Unit(benchmark::kMicrosecond);

void BM_FileLoad(benchmark::State& state)
{
    ScratchFolder folder;
    fillWithEveryKey(std::make_shared<veltrane::FileUserDefaults>(folder.file()));
    for (auto _ : state) {
        veltrane::FileUserDefaults defaults(folder.file());
        benchmark::DoNotOptimize(defaults.keys());
    }
}
BENCHMARK(BM_FileLoad)->Unit(benchmark::kMicrosecond);

} // namespace

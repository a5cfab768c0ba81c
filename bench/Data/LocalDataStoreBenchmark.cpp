// The session log is never pruned and every change rewrites its whole file, so the store's cost
// grows with the user's history. These measure a long history: 100 000 stored sessions.
#include "Moorlet/Data/InsightsExport.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Data/RecordJson.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

using namespace moorlet;
namespace fs = std::filesystem;

namespace {

constexpr auto kStoredSessions = 100'000;

// A fresh folder under the temporary directory, removed afterwards.
class BenchmarkFolder {
public:
    BenchmarkFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "moorlet-bench-XXXXXX").string();
        m_path = ::mkdtemp(pattern.data()) ? fs::path(pattern) : fs::path();
    }
    ~BenchmarkFolder()
    {
        std::error_code error;
        fs::remove_all(m_path, error);
    }
    BenchmarkFolder(const BenchmarkFolder&) = delete;
    BenchmarkFolder& operator=(const BenchmarkFolder&) = delete;

    const fs::path& path() const { return m_path; }

private:
    fs::path m_path;
};

// A realistic mix: every session has a subject, every third an intention, a few were stopped.
std::vector<FocusSession> history(int count)
{
    std::vector<FocusSession> sessions;
    sessions.reserve(static_cast<std::size_t>(count));
    double start = 1'700'000'000;
    for (int index = 0; index < count; ++index) {
        start += 3600 + index % 7 * 60;
        sessions.push_back(FocusSession { .id = QUuid::createUuid(),
            .startDate = start,
            .duration = index % 5 == 0 ? 1500 : 600.5 + index % 1000,
            .subjectTag = index % 4 == 0 ? std::nullopt : std::optional<std::string>("Subject " + std::to_string(index % 12)),
            .mode = index % 3 == 0 ? "flowmodoro" : "pomodoro",
            .completed = index % 9 != 0,
            .intention = index % 3 == 0 ? std::optional<std::string>("Finish section " + std::to_string(index % 40))
                                        : std::nullopt });
    }
    return sessions;
}

void writeHistory(const fs::path& folder, const std::vector<FocusSession>& sessions)
{
    const auto text = RecordJson::encode(sessions);
    std::ofstream(folder / "sessions.json", std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

veltrane::ClockPtr clock()
{
    return std::make_shared<veltrane::SystemClock>();
}

void BM_LoadStore(benchmark::State& state)
{
    BenchmarkFolder folder;
    writeHistory(folder.path(), history(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        LocalDataStore store(folder.path(), nullptr, clock(), veltrane::Calendar::utc());
        benchmark::DoNotOptimize(store.sessions().data());
    }
    state.counters["bytes"] = static_cast<double>(fs::file_size(folder.path() / "sessions.json"));
}
BENCHMARK(BM_LoadStore)->Arg(kStoredSessions)->Unit(benchmark::kMillisecond);

void BM_AddSession(benchmark::State& state)
{
    BenchmarkFolder folder;
    writeHistory(folder.path(), history(static_cast<int>(state.range(0))));
    LocalDataStore store(folder.path(), nullptr, clock(), veltrane::Calendar::utc());
    const auto sample = history(1).front();
    for (auto _ : state)
        store.addSession(sample);
}
BENCHMARK(BM_AddSession)->Arg(kStoredSessions)->Unit(benchmark::kMillisecond);

// The parts of the two above, to see where the time goes.
void BM_EncodeSessions(benchmark::State& state)
{
    const auto sessions = history(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(RecordJson::encode(sessions));
}
BENCHMARK(BM_EncodeSessions)->Arg(kStoredSessions)->Unit(benchmark::kMillisecond);

void BM_DecodeSessions(benchmark::State& state)
{
    const auto text = RecordJson::encode(history(static_cast<int>(state.range(0))));
    for (auto _ : state)
        benchmark::DoNotOptimize(RecordJson::decode<FocusSession>(text));
}
BENCHMARK(BM_DecodeSessions)->Arg(kStoredSessions)->Unit(benchmark::kMillisecond);

void BM_ExportCsv(benchmark::State& state)
{
    const auto sessions = history(static_cast<int>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(InsightsExport::csv(sessions));
}
BENCHMARK(BM_ExportCsv)->Arg(kStoredSessions)->Unit(benchmark::kMillisecond);

} // namespace

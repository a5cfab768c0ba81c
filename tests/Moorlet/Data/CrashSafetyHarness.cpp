// Kills a process that saves sessions, tasks and deadlines at random moments and checks
// what it leaves: every file decodes, no acknowledged record is lost, and no temporary file
// outlives the next start.
//
//   CrashSafetyHarness --kills N [--seed S] [--folder DIR]
//
// Prints "crash-safety: N kills, A acknowledged saves, F failures" and exits with 1 on any failure.
// The saving child is this program run with --save DIR: after each save returns it writes one
// acknowledgement line ("s 12": twelve sessions are on disk) straight to its standard output.
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Data/RecordJson.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

using namespace moorlet;
namespace fs = std::filesystem;

namespace {

// A fresh folder after this many kills keeps the files, and so each save, small.
constexpr int kKillsPerFolder = 100;

fs::path dataFolder(const fs::path& root) { return root / "data"; }

void acknowledge(char kind, std::size_t count)
{
    const auto line = std::string(1, kind) + ' ' + std::to_string(count) + '\n';
    if (::write(STDOUT_FILENO, line.data(), line.size()) < 0)
        std::_Exit(3);
}

[[noreturn]] void save(const fs::path& root)
{
    LocalDataStore store(dataFolder(root), nullptr, std::make_shared<veltrane::SystemClock>(), veltrane::Calendar::utc());
    for (std::uint64_t round = 0;; ++round) {
        store.addSession(FocusSession { .startDate = 1796459278.0 + static_cast<double>(round), .duration = 1500,
            .subjectTag = "Maths", .mode = "pomodoro", .completed = true, .intention = "Chapter " + std::to_string(round) });
        acknowledge('s', store.sessions().size());
        store.addTask("Task " + std::to_string(round));
        acknowledge('t', store.tasks().size());
        store.addDeadline("Exam " + std::to_string(round), 1812636000.0 + static_cast<double>(round));
        acknowledge('d', store.deadlines().size());
    }
}

// The last acknowledged count of each kind, read to the end of the child's output; `saves`
// grows by the number of acknowledgements.
std::map<char, std::size_t> acknowledged(int descriptor, std::size_t& saves)
{
    std::map<char, std::size_t> last;
    FILE* stream = ::fdopen(descriptor, "r");
    char kind = 0;
    std::size_t count = 0;
    while (std::fscanf(stream, " %c %zu", &kind, &count) == 2) {
        last[kind] = count;
        ++saves;
    }
    std::fclose(stream);
    return last;
}

template <class Record>
std::optional<std::size_t> recordsIn(const fs::path& file)
{
    if (!fs::exists(file))
        return 0;
    std::ifstream stream(file, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(stream)), std::istreambuf_iterator<char>());
    const auto records = RecordJson::decode<Record>(text);
    return records ? std::optional(records->size()) : std::nullopt;
}

bool hasTemporaries(const fs::path& folder)
{
    std::error_code error;
    for (const auto& entry : fs::recursive_directory_iterator(folder, error))
        if (entry.path().filename().string().starts_with("."))
            return true;
    return false;
}

// The failures found after one kill, each described on standard error.
int check(const fs::path& root, const std::map<char, std::size_t>& acks)
{
    int failures = 0;
    const auto expect = [&](bool holds, const std::string& what) {
        if (!holds) {
            std::cerr << "crash-safety: " << what << '\n';
            ++failures;
        }
    };
    const auto ack = [&](char kind) { return acks.contains(kind) ? acks.at(kind) : 0; };
    const auto sessions = recordsIn<FocusSession>(dataFolder(root) / "sessions.json");
    const auto tasks = recordsIn<FocusTask>(dataFolder(root) / "tasks.json");
    const auto deadlines = recordsIn<Deadline>(dataFolder(root) / "deadlines.json");
    expect(sessions && *sessions >= ack('s'), "sessions.json lost acknowledged sessions or does not decode");
    expect(tasks && *tasks >= ack('t'), "tasks.json lost acknowledged tasks or does not decode");
    expect(deadlines && *deadlines >= ack('d'), "deadlines.json lost acknowledged deadlines or does not decode");
    LocalDataStore restarted(dataFolder(root), nullptr, std::make_shared<veltrane::SystemClock>());
    expect(!hasTemporaries(root), "a temporary file outlived the next start");
    return failures;
}

} // namespace

int main(int argc, char** argv)
{
    int kills = 200;
    unsigned seed = std::random_device {}();
    fs::path base = fs::temp_directory_path() / ("moorlet-crash-" + std::to_string(::getpid()));
    for (int index = 1; index + 1 < argc; index += 2) {
        const std::string option = argv[index];
        if (option == "--save")
            save(argv[index + 1]);
        else if (option == "--kills")
            kills = std::atoi(argv[index + 1]);
        else if (option == "--seed")
            seed = static_cast<unsigned>(std::strtoul(argv[index + 1], nullptr, 10));
        else if (option == "--folder")
            base = argv[index + 1];
    }
    std::cerr << "crash-safety: seed " << seed << std::endl;
    std::mt19937 random(seed);
    std::size_t saves = 0;
    int failures = 0;
    for (int kill = 0; kill < kills && failures == 0; ++kill) {
        const auto root = base / std::to_string(kill / kKillsPerFolder);
        int pipe[2];
        if (::pipe(pipe) != 0)
            return 2;
        const pid_t child = ::fork();
        if (child == 0) {
            ::dup2(pipe[1], STDOUT_FILENO);
            ::close(pipe[0]);
            ::close(pipe[1]);
            const std::string folder = root.string();
            ::execl("/proc/self/exe", argv[0], "--save", folder.c_str(), static_cast<char*>(nullptr));
            std::_Exit(2);
        }
        ::close(pipe[1]);
        // Mostly while saving; now and then before the child has even loaded its files.
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 60'000)(random));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        const auto acks = acknowledged(pipe[0], saves);
        if (!WIFSIGNALED(status)) {
            std::cerr << "crash-safety: the saving process ended by itself (status " << status << ")\n";
            ++failures;
        }
        failures += check(root, acks);
    }
    std::error_code error;
    if (failures == 0)
        fs::remove_all(base, error);
    std::cout << "crash-safety: " << kills << " kills, " << saves << " acknowledged saves, " << failures
              << " failures" << std::endl;
    return failures == 0 ? 0 : 1;
}

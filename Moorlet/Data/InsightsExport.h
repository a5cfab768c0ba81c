#pragma once

#include "Moorlet/Data/FocusSession.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace moorlet {

// The session log as CSV text, for the user to keep or open in a spreadsheet.
class InsightsExport {
public:
    // The header "start,duration_minutes,mode,completed,subject,intention", then one line per
    // session in start order (sessions that start together keep their order): the UTC start
    // ("2026-03-14T09:05:00Z"), the minutes with one decimal ("25.0"), the mode as stored,
    // "true"/"false", the subject and the intention (empty when absent). A subject or intention
    // holding a comma, a double quote or a line feed is quoted with inner quotes doubled.
    // Lines are joined by a line feed, with none after the last and no byte order mark.
    static std::string csv(const std::vector<FocusSession>& sessions);

    // The name the save dialog proposes.
    static constexpr auto kProposedFileName = "Moorlet-sessions.csv";

    enum class SaveResult {
        saved,
        cancelled,
        // Nothing was written: the file is as it was before (absent, or its old content).
        failed,
    };
    // Asks `chooseFile` where to save (nothing: the user cancelled) and writes the CSV there whole
    // or not at all, so a read-only folder or a full disk never leaves a cut-off log behind.
    static SaveResult save(const std::vector<FocusSession>& sessions,
        const std::function<std::optional<std::filesystem::path>()>& chooseFile);
    // The sentence that tells the user a save failed.
    static std::string failureMessage(const std::filesystem::path& path);
};

} // namespace moorlet

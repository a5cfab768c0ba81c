#include "Moorlet/Data/InsightsExport.h"

#include "Moorlet/Data/DataFolder.h"
#include "Moorlet/Data/Iso8601.h"

#include <algorithm>
#include <array>
#include <charconv>

namespace moorlet {

namespace {

constexpr auto kHeader = std::string_view { "start,duration_minutes,mode,completed,subject,intention" };

void appendEscaped(std::string& out, const std::optional<std::string>& text)
{
    if (!text)
        return;
    // A carriage return alone does not call for quotes.
    if (text->find_first_of(",\"\n") == std::string::npos) {
        out += *text;
        return;
    }
    out += '"';
    for (const char character : *text) {
        if (character == '"')
            out += '"';
        out += character;
    }
    out += '"';
}

void appendMinutes(std::string& out, double seconds)
{
    // Fixed notation with one decimal, rounded to nearest like printf's "%.1f" but independent of
    // the process locale, which a Qt application takes from the environment ("25,0" in German).
    std::array<char, 400> digits {};
    const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), seconds / 60,
        std::chars_format::fixed, 1);
    out.append(digits.data(), result.ptr);
}

} // namespace

std::string InsightsExport::csv(const std::vector<FocusSession>& sessions)
{
    std::vector<const FocusSession*> ordered;
    ordered.reserve(sessions.size());
    for (const auto& session : sessions)
        ordered.push_back(&session);
    std::stable_sort(ordered.begin(), ordered.end(),
        [](const FocusSession* first, const FocusSession* second) { return first->startDate < second->startDate; });

    std::string text(kHeader);
    for (const auto* session : ordered) {
        text += '\n';
        Iso8601::append(text, session->startDate);
        text += ',';
        appendMinutes(text, session->duration);
        text += ',';
        text += session->mode;
        text += ',';
        text += session->completed ? "true" : "false";
        text += ',';
        appendEscaped(text, session->subjectTag);
        text += ',';
        appendEscaped(text, session->intention);
    }
    return text;
}

InsightsExport::SaveResult InsightsExport::save(const std::vector<FocusSession>& sessions,
    const std::function<std::optional<std::filesystem::path>()>& chooseFile)
{
    const auto path = chooseFile();
    if (!path)
        return SaveResult::cancelled;
    // The folder's atomic write: a temporary file beside the target, flushed, then renamed over it.
    const DataFolder folder(path->parent_path());
    return folder.write(path->filename().string(), csv(sessions)) ? SaveResult::saved : SaveResult::failed;
}

std::string InsightsExport::failureMessage(const std::filesystem::path& path)
{
    return "The sessions could not be saved to \u201C" + path.filename().string()
        + "\u201D; the folder may be read-only or the disk full, so nothing was written.";
}

} // namespace moorlet

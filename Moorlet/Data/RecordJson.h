#pragma once

#include "Moorlet/Data/Deadline.h"
#include "Moorlet/Data/FocusSession.h"
#include "Moorlet/Data/FocusTask.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace moorlet::RecordJson {

// The text of a data file: one pretty-printed JSON array of the records, keys in sorted order,
// dates as ISO 8601 UTC text with whole seconds, ids as upper-case UUID text, absent optional
// fields left out.
std::string encode(const std::vector<FocusSession>& sessions);
std::string encode(const std::vector<FocusTask>& tasks);
std::string encode(const std::vector<Deadline>& deadlines);

// Reads a data file's text: all records, or nothing when the text is not an array of such
// records (malformed JSON, a missing required key or a wrong type in any one record). Unknown
// keys are ignored; a null optional field reads as absent.
template <class Record>
std::optional<std::vector<Record>> decode(std::string_view text);

template <>
std::optional<std::vector<FocusSession>> decode<FocusSession>(std::string_view text);
template <>
std::optional<std::vector<FocusTask>> decode<FocusTask>(std::string_view text);
template <>
std::optional<std::vector<Deadline>> decode<Deadline>(std::string_view text);

} // namespace moorlet::RecordJson

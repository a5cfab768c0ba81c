#pragma once

#include <QUuid>

#include <optional>
#include <string>
#include <string_view>

namespace moorlet::UuidText {

// The canonical upper-case hyphenated text, e.g. "E621E1F8-C36C-495A-93FC-0C247A3E6E5F".
std::string format(const QUuid& id);
// Appends format(id) to `out` without a temporary string.
void append(std::string& out, const QUuid& id);

// Reads the 36-character hyphenated form in either case; anything else gives nothing.
std::optional<QUuid> parse(std::string_view text);

} // namespace moorlet::UuidText

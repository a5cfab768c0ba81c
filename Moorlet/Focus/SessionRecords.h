#pragma once

#include "Moorlet/Data/FocusSession.h"
#include "MoorletCore/FocusRecord.h"

#include <vector>

namespace moorlet {

// The stored sessions as the analytics read them: start, duration, completed and subject.
std::vector<FocusRecord> recordsOf(const std::vector<FocusSession>& sessions);

} // namespace moorlet

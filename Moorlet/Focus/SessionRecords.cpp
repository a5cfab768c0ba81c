#include "Moorlet/Focus/SessionRecords.h"

namespace moorlet {

std::vector<FocusRecord> recordsOf(const std::vector<FocusSession>& sessions)
{
    std::vector<FocusRecord> records;
    records.reserve(sessions.size());
    for (const auto& session : sessions)
        records.push_back(FocusRecord { session.startDate, session.duration, session.completed, session.subjectTag });
    return records;
}

} // namespace moorlet

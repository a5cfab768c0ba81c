// The three data files: any text either fails whole or reads into records that, written and read
// again, come back equal (dates as written: whole seconds within the years 0000 to 9999).
#include "Moorlet/Data/Iso8601.h"
#include "Moorlet/Data/RecordJson.h"

#include <cstdlib>

using namespace moorlet;

namespace {

double asWritten(double instant)
{
    return *Iso8601::parse(Iso8601::format(instant));
}

void normaliseDates(FocusSession& record) { record.startDate = asWritten(record.startDate); }
void normaliseDates(FocusTask& record) { record.createdAt = asWritten(record.createdAt); }
void normaliseDates(Deadline& record) { record.date = asWritten(record.date); }

template <class Record>
void roundTrip(std::string_view text)
{
    auto first = RecordJson::decode<Record>(text);
    if (!first)
        return;
    const auto written = RecordJson::encode(*first);
    const auto second = RecordJson::decode<Record>(written);
    for (auto& record : *first)
        normaliseDates(record);
    if (!second || *second != *first || RecordJson::encode(*second) != written)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    roundTrip<FocusSession>(text);
    roundTrip<FocusTask>(text);
    roundTrip<Deadline>(text);
    return 0;
}

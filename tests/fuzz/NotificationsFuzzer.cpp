// The scheduled-notification file: any content either loads or is kept aside, and what loads is
// saved and read back unchanged.
#include "VeltraneKit/Notifications/ScheduledNotificationFile.h"

#include "tests/fuzz/FuzzFile.h"

#include <QFile>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto written = fuzzsupport::writeFuzzFile("scheduled-notifications.json", data, size);
    const auto path = QFile::decodeName(written.c_str());
    veltrane::ScheduledNotificationFile file(path);
    const auto loaded = file.load();
    if (loaded.empty())
        return 0;
    if (!file.save(loaded) || veltrane::ScheduledNotificationFile(path).load() != loaded)
        std::abort();
    return 0;
}

// The defaults file: any content either loads or is moved aside whole, and what loads is written
// back and read again unchanged.
#include "VeltraneKit/Settings/FileUserDefaults.h"

#include "tests/fuzz/FuzzFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto path = fuzzsupport::writeFuzzFile("defaults.json", data, size);
    std::vector<std::pair<std::string, nlohmann::json>> values;
    {
        veltrane::FileUserDefaults defaults(path);
        if (defaults.movedAsidePath())
            return 0;
        for (const auto& key : defaults.keys())
            values.emplace_back(key, *defaults.value(key));
        // Forces a write of everything loaded.
        defaults.setBoolean("fuzz.written", true);
    }
    veltrane::FileUserDefaults reloaded(path);
    if (reloaded.movedAsidePath())
        std::abort();
    for (const auto& [key, value] : values) {
        if (key != "fuzz.written" && reloaded.value(key) != value)
            std::abort();
    }
    return 0;
}

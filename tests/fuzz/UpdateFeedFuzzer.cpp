// The update feed: any body either fails with one of the errors or gives a manifest, and only a
// token that verifies against the key ever gives one.
#include "Moorlet/Update/UpdateFeed.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstdlib>

// The public half of the key the seed feeds are signed with (the seed's 32 bytes are all 0x4d);
// a test key, never a release's.
constexpr auto kTestKey = "YqYRtHLYmw5fyTwGm59wC0xVLVW8Doe1YAjvF7ayvr4=";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    const auto result = moorlet::UpdateFeed::read(body, kTestKey);
    if (std::holds_alternative<moorlet::UpdateInfo>(result)) {
        const auto feed = nlohmann::json::parse(body);
        if (!moorlet::UpdateFeed::verifiedPayload(feed.at("manifest").get<std::string>(), kTestKey))
            std::abort();
    }
    return 0;
}

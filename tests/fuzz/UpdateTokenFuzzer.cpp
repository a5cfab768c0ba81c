// The manifest token and the version order: any text verifies or not without harm, and of two
// versions never each is newer than the other.
#include "Moorlet/Update/UpdateFeed.h"

#include <cstdint>
#include <cstdlib>

// The key of the seed tokens (see UpdateFeedFuzzer.cpp).
constexpr auto kTestKey = "YqYRtHLYmw5fyTwGm59wC0xVLVW8Doe1YAjvF7ayvr4=";

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    moorlet::UpdateFeed::verifiedPayload(text, kTestKey);
    // Any input is a pair of keys too: a broken key must fail the check, never crash it.
    moorlet::UpdateFeed::verifiedPayload(kTestKey, text);
    const auto a = text.substr(0, size / 2);
    const auto b = text.substr(size / 2);
    if (moorlet::UpdateFeed::isNewer(a, b) && moorlet::UpdateFeed::isNewer(b, a))
        std::abort();
    return 0;
}

#include "VeltraneKit/Audio/SoundLibrary.h"

#include <gtest/gtest.h>

using namespace veltrane;

namespace {

constexpr auto kCatalogue = R"([
    { "id": "rain", "name": "Rain", "type": "generated", "subtype": "rain", "icon": "cloud.rain" },
    { "id": "fire", "name": "Fire", "type": "file", "file": "fire.m4a", "icon": "flame" },
    { "id": "cafe", "name": "Café", "type": "file", "file": "cafe.mp3", "icon": "cup.and.saucer" },
    { "id": "hum", "name": "Hum", "type": "generated", "subtype": "hum", "icon": "waveform", "file": null },
    { "id": "bare", "name": "Bare", "type": "file", "icon": "questionmark" }
])";

} // namespace

TEST(SoundLibraryTest, DecodesRecordsWithOptionalKeysAndDerivesTheNoiseKind)
{
    const auto sounds = SoundLibrary::decode(kCatalogue).sounds();
    ASSERT_EQ(sounds.size(), 5u);
    EXPECT_EQ(sounds[0], (Sound { "rain", "Rain", SoundType::generated, "rain", std::nullopt, "cloud.rain" }));
    EXPECT_EQ(sounds[0].noiseKind(), NoiseKind::rain);
    EXPECT_EQ(sounds[1].file, "fire.m4a");
    EXPECT_EQ(sounds[2].name, "Café");
    EXPECT_FALSE(sounds[3].noiseKind() || sounds[3].file || sounds[4].file);
}

TEST(SoundLibraryTest, AnyFlawMakesTheWholeCatalogueEmpty)
{
    const char* broken[] = { "not json", R"({"id":"rain"})", R"([{"id":"rain","type":"generated","icon":"i"}])",
        R"([{"id":"rain","name":"Rain","type":"loop","icon":"i"}])",
        R"([{"id":"a","name":"A","type":"generated","icon":"i"}, 3])" };
    for (const auto* text : broken)
        EXPECT_TRUE(SoundLibrary::decode(text).sounds().empty()) << text;
}

#include "VeltraneKit/Settings/MemoryUserDefaults.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>

using namespace veltrane;
using nlohmann::json;

namespace {

// What each typed reader makes of one stored JSON value.
struct Conversion {
    const char* name;
    json stored;
    std::optional<std::string> string;
    std::optional<bool> boolean;
    std::optional<double> number;
    std::optional<std::int64_t> integer;
    std::optional<std::vector<std::string>> stringList;
    std::optional<std::map<std::string, double>> numberDictionary = {};
};

class UserDefaultsConversionTest : public testing::TestWithParam<Conversion> { };

TEST_P(UserDefaultsConversionTest, ReadersAcceptOnlyTheirOwnKind)
{
    const auto& row = GetParam();
    MemoryUserDefaults defaults;
    defaults.setValue("key", row.stored);
    EXPECT_EQ(defaults.string("key"), row.string);
    EXPECT_EQ(defaults.boolean("key"), row.boolean);
    EXPECT_EQ(defaults.number("key"), row.number);
    EXPECT_EQ(defaults.integer("key"), row.integer);
    EXPECT_EQ(defaults.stringList("key"), row.stringList);
    EXPECT_EQ(defaults.numberDictionary("key"), row.numberDictionary);
}

using Strings = std::vector<std::string>;
using Levels = std::map<std::string, double>;
constexpr auto kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr auto kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Kinds, UserDefaultsConversionTest,
    testing::Values(
        // A number's text is not a number, and a string is not parsed.
        Conversion { "textOfANumber", "90", "90", {}, {}, {}, {} },
        Conversion { "wordTrue", "true", "true", {}, {}, {}, {} },
        // Booleans and numbers do not convert into each other.
        Conversion { "true", true, {}, true, {}, {}, {} },
        Conversion { "false", false, {}, false, {}, {}, {} },
        Conversion { "one", 1, {}, {}, 1.0, 1, {} },
        Conversion { "zero", 0, {}, {}, 0.0, 0, {} },
        Conversion { "negative", -3, {}, {}, -3.0, -3, {} },
        // A whole double is an integer too; a fractional one only a number.
        Conversion { "wholeDouble", 4.0, {}, {}, 4.0, 4, {} },
        Conversion { "fraction", 4.5, {}, {}, 4.5, {}, {} },
        Conversion { "beyondInt64", 1e19, {}, {}, 1e19, {}, {} },
        Conversion { "largestUnsigned", std::numeric_limits<std::uint64_t>::max(), {}, {},
            1.8446744073709552e19, {}, {} },
        Conversion { "largestInt64", std::numeric_limits<std::int64_t>::max(), {}, {},
            9.2233720368547758e18, std::numeric_limits<std::int64_t>::max(), {} },
        // Non-finite numbers only exist in memory (JSON cannot hold them) and read as nothing.
        Conversion { "nan", kNaN, {}, {}, {}, {}, {} },
        Conversion { "infinity", kInfinity, {}, {}, {}, {}, {} },
        Conversion { "null", nullptr, {}, {}, {}, {}, {} },
        Conversion { "strings", json::array({ "a", "b" }), {}, {}, {}, {}, Strings { "a", "b" } },
        Conversion { "emptyList", json::array(), {}, {}, {}, {}, Strings {} },
        Conversion { "mixedList", json::array({ "a", 1 }), {}, {}, {}, {}, {} },
        Conversion { "object", json::object({ { "a", "b" } }), {}, {}, {}, {}, {} },
        Conversion { "levels", json::object({ { "rain", 0.5 }, { "wind", 1 } }), {}, {}, {}, {}, {},
            Levels { { "rain", 0.5 }, { "wind", 1.0 } } },
        Conversion { "noLevels", json::object(), {}, {}, {}, {}, {}, Levels {} },
        Conversion { "levelsWithABool", json::object({ { "rain", 0.5 }, { "wind", true } }), {}, {},
            {}, {}, {} },
        Conversion { "levelsWithNaN", json::object({ { "rain", kNaN } }), {}, {}, {}, {}, {} }),
    [](const testing::TestParamInfo<Conversion>& info) { return std::string(info.param.name); });

TEST(UserDefaultsTest, MissingKeysReadAsNothingAndRemovalForgets)
{
    MemoryUserDefaults defaults;
    EXPECT_FALSE(defaults.value("absent"));
    EXPECT_FALSE(defaults.string("absent"));
    defaults.setStringList("list", { "x" });
    defaults.setInteger("count", 7);
    EXPECT_EQ(defaults.keys(), (Strings { "count", "list" }));
    defaults.removeValue("list");
    defaults.removeValue("never there");
    EXPECT_EQ(defaults.keys(), Strings { "count" });
    EXPECT_EQ(defaults.integer("count"), 7);
    EXPECT_EQ(defaults.writeCount(), 4);
}

} // namespace

#include "VeltraneKit/Settings/MemoryUserDefaults.h"

#include <gtest/gtest.h>

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
};

using Strings = std::vector<std::string>;

TEST(UserDefaultsTest, ReadersAcceptOnlyTheirOwnKind)
{
    const Conversion cases[] = {
        // A number's text is not a number, and a string is not parsed.
        { "textOfANumber", "90", "90", {}, {}, {}, {} },
        // Booleans and numbers do not convert into each other.
        { "true", true, {}, true, {}, {}, {} },
        { "one", 1, {}, {}, 1.0, 1, {} },
        // A whole double is an integer too; a fractional one only a number.
        { "wholeDouble", 4.0, {}, {}, 4.0, 4, {} },
        { "fraction", 4.5, {}, {}, 4.5, {}, {} },
        { "beyondInt64", 1e19, {}, {}, 1e19, {}, {} },
        { "null", nullptr, {}, {}, {}, {}, {} },
        { "strings", json::array({ "a", "b" }), {}, {}, {}, {}, Strings { "a", "b" } },
        { "mixedList", json::array({ "a", 1 }), {}, {}, {}, {}, {} },
        { "object", json::object({ { "a", "b" } }), {}, {}, {}, {}, {} },
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        MemoryUserDefaults defaults;
        defaults.setValue("key", row.stored);
        EXPECT_EQ(defaults.string("key"), row.string);
        EXPECT_EQ(defaults.boolean("key"), row.boolean);
        EXPECT_EQ(defaults.number("key"), row.number);
        EXPECT_EQ(defaults.integer("key"), row.integer);
        EXPECT_EQ(defaults.stringList("key"), row.stringList);
    }
}

} // namespace

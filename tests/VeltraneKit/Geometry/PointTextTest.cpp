#include "VeltraneKit/Geometry/PointText.h"

#include <gtest/gtest.h>


namespace veltrane {
namespace {

TEST(PointTextTest, FormatsBracedPairInShortestFormThatReadsBackExactly)
{
    EXPECT_EQ(PointText::format({ 1272, 353.5 }), "{1272, 353.5}");
    EXPECT_EQ(PointText::format({ -0.0, -0.0 }), "{0, 0}");
    for (Point point : { Point { 0.1, 1.0 / 3 }, Point { -1e-7, 123456789.123 }, Point { 1e300, -5e-300 } })
        EXPECT_EQ(PointText::parse(PointText::format(point)), point);
}

TEST(PointTextTest, ParsesLenientlyButNeedsTwoFiniteNumbers)
{
    const std::pair<const char*, std::optional<Point>> cases[] = {
        { "{1,2}", Point { 1, 2 } }, { "  3.5 -4 ", Point { 3.5, -4 } }, { "{.5, -.25}", Point { 0.5, -0.25 } },
        { "{1e3, 2E-1}", Point { 1000, 0.2 } },
        // Stray signs and dots start no number; anything after the second number is ignored.
        { "{- 7, . 8}", Point { 7, 8 } }, { "{1, 2, 3}", Point { 1, 2 } },
        { "", std::nullopt }, { "{5}", std::nullopt }, { "origin", std::nullopt }, { "{1e999, 2}", std::nullopt },
        { "{-1e999, 2}", std::nullopt },
    };
    for (const auto& [text, point] : cases)
        EXPECT_EQ(PointText::parse(text), point) << text;
}

} // namespace
} // namespace veltrane

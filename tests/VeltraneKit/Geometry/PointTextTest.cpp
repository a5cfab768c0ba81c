#include "VeltraneKit/Geometry/PointText.h"

#include <gtest/gtest.h>

#include <limits>

namespace veltrane {
namespace {

TEST(PointTextTest, FormatsBracedPairInShortestForm)
{
    EXPECT_EQ(PointText::format({ 1272, 353.5 }), "{1272, 353.5}");
    EXPECT_EQ(PointText::format({ -12, 0 }), "{-12, 0}");
    EXPECT_EQ(PointText::format({ -0.0, -0.0 }), "{0, 0}");
}

TEST(PointTextTest, EveryDoubleReadsBackExactly)
{
    for (Point point : { Point { 0.1, 1.0 / 3 }, Point { -1e-7, 123456789.123 }, Point { 1e300, -5e-300 } })
        EXPECT_EQ(PointText::parse(PointText::format(point)), point);
}

TEST(PointTextTest, ParsesLeniently)
{
    EXPECT_EQ(PointText::parse("{1, 2}"), (Point { 1, 2 }));
    EXPECT_EQ(PointText::parse("{1,2}"), (Point { 1, 2 }));
    EXPECT_EQ(PointText::parse("  3.5 -4 "), (Point { 3.5, -4 }));
    EXPECT_EQ(PointText::parse("{.5, -.25}"), (Point { 0.5, -0.25 }));
    EXPECT_EQ(PointText::parse("{1e3, 2E-1}"), (Point { 1000, 0.2 }));
    // Stray signs and dots start no number.
    EXPECT_EQ(PointText::parse("{- 7, . 8}"), (Point { 7, 8 }));
    // Anything after the second number is ignored.
    EXPECT_EQ(PointText::parse("{1, 2, 3}"), (Point { 1, 2 }));
}

TEST(PointTextTest, TextWithoutTwoFiniteNumbersReadsAsNothing)
{
    EXPECT_EQ(PointText::parse(""), std::nullopt);
    EXPECT_EQ(PointText::parse("{}"), std::nullopt);
    EXPECT_EQ(PointText::parse("{5}"), std::nullopt);
    EXPECT_EQ(PointText::parse("origin"), std::nullopt);
    EXPECT_EQ(PointText::parse("{1e999, 2}"), std::nullopt);
    EXPECT_EQ(PointText::parse("{-1e999, 2}"), std::nullopt);
}

} // namespace
} // namespace veltrane

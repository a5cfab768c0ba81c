#pragma once

#include "VeltraneKit/Geometry/Point.h"

#include <optional>
#include <string>
#include <string_view>

// The text form a point is stored in: "{x, y}", for example "{1272, 353.5}".
namespace veltrane::PointText {

// Each coordinate in the shortest form that reads back as the same double.
std::string format(Point point);

// The first two numbers in the text, whatever surrounds them ("{1, 2}", "1 2" and "{1,2}" all
// read as (1, 2)). Nothing when the text holds fewer than two numbers or a number that is not
// finite.
std::optional<Point> parse(std::string_view text);

} // namespace veltrane::PointText

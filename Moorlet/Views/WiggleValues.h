#pragma once

namespace moorlet {

// The card's wiggle at one moment: a turn in degrees and a uniform scale, both about its centre.
struct WiggleValues {
    double angle = 0;
    double scale = 1;

    friend constexpr bool operator==(const WiggleValues&, const WiggleValues&) = default;
};

} // namespace moorlet

#pragma once

namespace moorlet {

// Something in the insights window that reacts to the pointer. `index` is the bar's or the
// heat-map tile's position, oldest first; 0 for the rest.
struct InsightsTarget {
    enum class Kind {
        week,
        month,
        dayBar,
        activityTile,
        shareRecap,
        exportCsv,
    };

    Kind kind;
    int index = 0;

    friend constexpr bool operator==(const InsightsTarget&, const InsightsTarget&) = default;
};

} // namespace moorlet

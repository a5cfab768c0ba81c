#pragma once

namespace moorlet {

// Something in the tour's controls row that reacts to the pointer. `index` is the page a dot
// stands for; 0 for the buttons.
struct WelcomeTourTarget {
    enum class Kind {
        skip,
        back,
        next,
        tryDemo,
        dot,
    };

    Kind kind;
    int index = 0;

    friend constexpr bool operator==(const WelcomeTourTarget&, const WelcomeTourTarget&) = default;
};

} // namespace moorlet

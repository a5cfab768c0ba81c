#pragma once

#include "Moorlet/SettingsWindow/SettingsControl.h"

namespace moorlet {

// Something in the settings window that reacts to the pointer. `index` picks the pane, the
// segment of a picker, the swatch or the entry of a list; it is 0 for the single ones.
struct SettingsTarget {
    enum class Kind {
        pane,
        toggle,
        decrement,
        increment,
        segment,
        slider,
        button,
        remove,
        swatch,
        well,
    };

    Kind kind;
    SettingsControl control = SettingsControl::none;
    int index = 0;

    friend constexpr bool operator==(const SettingsTarget&, const SettingsTarget&) = default;
};

} // namespace moorlet

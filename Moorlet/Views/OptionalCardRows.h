#pragma once

namespace moorlet {

class FocusController;
class LocalDataStore;
class MediaController;

// Which of the card's rows that come and go are shown.
struct OptionalCardRows {
    // A music player runs or can be opened.
    bool nowPlaying = false;
    // The controller knows the hour of the day the user focuses best.
    bool insight = false;
    // A deadline lies ahead.
    bool exam = false;
    // The height of the offers to open a player, when no player runs (else 0).
    double playerOffersHeight = 0;

    // What the controllers and the store say now. `media` may be null (no now-playing row).
    static OptionalCardRows current(const FocusController& controller, const MediaController* media,
        const LocalDataStore& store);
    static bool showsNowPlaying(const MediaController* media);

    friend constexpr bool operator==(const OptionalCardRows&, const OptionalCardRows&) = default;
};

} // namespace moorlet

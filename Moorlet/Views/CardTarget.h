#pragma once

namespace moorlet {

// Something on the card that reacts to the pointer. `index` tells chips and rows of one kind
// apart (the quick-start entry, the sound, the player); it is 0 for the single ones.
struct CardTarget {
    enum class Kind {
        share,
        insights,
        settings,
        reset,
        primary,
        skip,
        taskPicker,
        subject,
        intention,
        quickStart,
        soundChip,
        importSounds,
        // The ambient chips' band between chips (it takes a drag), and the arrows that page it.
        chipRow,
        chipsBack,
        chipsForward,
        volume,
        previousTrack,
        playPause,
        nextTrack,
        openPlayer,
        // The away notice's buttons (AwayBanner).
        awayKeep,
        awayDrop,
        awayResume,
    };

    Kind kind;
    int index = 0;

    friend constexpr bool operator==(const CardTarget&, const CardTarget&) = default;
};

} // namespace moorlet

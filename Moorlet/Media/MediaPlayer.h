#pragma once

#include <QString>

#include <array>

namespace moorlet {

// The two players the card can follow: Spotify, and the desktop's own music player (whichever
// other MPRIS player runs, or the application the desktop opens music files with).
enum class MediaPlayer {
    spotify,
    music,
};

// Every player, in the order the card lists them.
inline constexpr std::array<MediaPlayer, 2> kAllMediaPlayers { MediaPlayer::spotify, MediaPlayer::music };

// The player's raw name: "Spotify" or "Music".
QString rawValue(MediaPlayer player);
// The name shown when nothing better is known; the music player is usually shown by its own name
// (see MediaController::displayName).
QString fallbackDisplayName(MediaPlayer player);
// The symbol the card shows for the player.
QString symbolName(MediaPlayer player);

} // namespace moorlet

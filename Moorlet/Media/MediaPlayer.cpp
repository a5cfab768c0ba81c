#include "Moorlet/Media/MediaPlayer.h"

namespace moorlet {

QString rawValue(MediaPlayer player)
{
    return player == MediaPlayer::spotify ? QStringLiteral("Spotify") : QStringLiteral("Music");
}

QString fallbackDisplayName(MediaPlayer player)
{
    return rawValue(player);
}

QString symbolName(MediaPlayer player)
{
    return player == MediaPlayer::spotify ? QStringLiteral("music.note") : QStringLiteral("applelogo");
}

} // namespace moorlet

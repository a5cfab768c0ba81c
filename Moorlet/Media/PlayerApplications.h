#pragma once

#include "Moorlet/Media/MediaPlayer.h"

#include "VeltraneKit/System/DesktopEntry.h"
#include "VeltraneKit/System/XdgFolders.h"

#include <optional>

namespace moorlet {

// Finds the installed applications behind the two players through their desktop entries.
// Spotify is known by its desktop ids (native, Flatpak and Snap packages). The music player is
// the application the desktop opens music files with: the default for the common audio types in
// the mimeapps lists (desktop-specific lists first), else the first application registered for
// them in the desktop's MIME cache. Spotify itself never counts as the music player.
//
// Files are read on each call; they are small and the card asks rarely.
class PlayerApplications {
public:
    explicit PlayerApplications(veltrane::XdgFolders folders = veltrane::XdgFolders::fromEnvironment());

    // The player's entry when the application is installed (see DesktopEntry::isInstalled).
    std::optional<veltrane::DesktopEntry> installedEntry(MediaPlayer player) const;

    // Whether a desktop id belongs to Spotify.
    static bool isSpotifyEntry(const QString& desktopId);

private:
    std::optional<veltrane::DesktopEntry> installed(const QString& desktopId) const;
    std::optional<veltrane::DesktopEntry> firstInstalled(const QStringList& desktopIds) const;
    QStringList mimeappsLists() const;

    veltrane::XdgFolders m_folders;
};

} // namespace moorlet

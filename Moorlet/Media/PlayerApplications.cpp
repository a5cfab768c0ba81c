#include "Moorlet/Media/PlayerApplications.h"

#include <QDir>
#include <QFile>

namespace moorlet {

using veltrane::DesktopEntry;

namespace {

const QStringList kSpotifyDesktopIds { QStringLiteral("spotify.desktop"),
    QStringLiteral("com.spotify.Client.desktop"), QStringLiteral("spotify_spotify.desktop") };
// The types whose default application is taken to be the desktop's music player, most telling first.
const QStringList kMusicTypes { QStringLiteral("audio/mpeg"), QStringLiteral("audio/flac"),
    QStringLiteral("audio/ogg"), QStringLiteral("audio/x-vorbis+ogg"), QStringLiteral("audio/mp4") };
constexpr qint64 kMaxListSize = 4 * 1024 * 1024;

// The desktop ids a key of a group lists in an ini-style file (mimeapps.list, mimeinfo.cache).
QStringList listedIds(const QString& path, QLatin1String group, const QString& key)
{
    QFile file(path);
    if (file.size() > kMaxListSize || !file.open(QIODevice::ReadOnly))
        return {};
    const QString header = QLatin1Char('[') + group + QLatin1Char(']');
    bool inGroup = false;
    const auto lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1Char('['))) {
            inGroup = trimmed == header;
            continue;
        }
        const auto equals = trimmed.indexOf(QLatin1Char('='));
        if (inGroup && equals > 0 && trimmed.left(equals).trimmed() == key)
            return trimmed.mid(equals + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    return {};
}

// The music player is never Spotify, even where the desktop opens music files with it.
QStringList musicCandidates(const QString& path, QLatin1String group, const QString& type)
{
    QStringList ids = listedIds(path, group, type);
    ids.removeIf([](const QString& id) { return PlayerApplications::isSpotifyEntry(id); });
    return ids;
}

} // namespace

PlayerApplications::PlayerApplications(veltrane::XdgFolders folders)
    : m_folders(std::move(folders))
{
}

bool PlayerApplications::isSpotifyEntry(const QString& desktopId)
{
    return kSpotifyDesktopIds.contains(desktopId.trimmed());
}

std::optional<DesktopEntry> PlayerApplications::installedEntry(MediaPlayer player) const
{
    if (player == MediaPlayer::spotify)
        return firstInstalled(kSpotifyDesktopIds);

    for (const QString& list : mimeappsLists()) {
        for (const QString& type : kMusicTypes) {
            if (auto entry = firstInstalled(musicCandidates(list, QLatin1String("Default Applications"), type)))
                return entry;
        }
    }
    for (const QString& folder : m_folders.dataSearchPath()) {
        const QString cache = QDir(folder).filePath(QStringLiteral("applications/mimeinfo.cache"));
        for (const QString& type : kMusicTypes) {
            if (auto entry = firstInstalled(musicCandidates(cache, QLatin1String("MIME Cache"), type)))
                return entry;
        }
    }
    return std::nullopt;
}

std::optional<DesktopEntry> PlayerApplications::installed(const QString& desktopId) const
{
    auto entry = DesktopEntry::find(desktopId.trimmed(), m_folders.dataSearchPath());
    if (!entry || !entry->isInstalled())
        return std::nullopt;
    return entry;
}

std::optional<DesktopEntry> PlayerApplications::firstInstalled(const QStringList& desktopIds) const
{
    for (const QString& id : desktopIds) {
        if (auto entry = installed(id))
            return entry;
    }
    return std::nullopt;
}

// The mimeapps lists in the order the freedesktop rules search them: the user's configuration,
// the system's configuration, then the same under the data folders, each folder's
// desktop-specific lists before its general one.
QStringList PlayerApplications::mimeappsLists() const
{
    QStringList folders = m_folders.configSearchPath();
    for (const QString& data : m_folders.dataSearchPath())
        folders.append(QDir(data).filePath(QStringLiteral("applications")));
    QStringList lists;
    for (const QString& folder : folders) {
        for (const QString& desktop : m_folders.currentDesktops)
            lists.append(QDir(folder).filePath(desktop + QStringLiteral("-mimeapps.list")));
        lists.append(QDir(folder).filePath(QStringLiteral("mimeapps.list")));
    }
    return lists;
}

} // namespace moorlet

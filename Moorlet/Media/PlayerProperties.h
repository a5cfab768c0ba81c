#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace moorlet {

// What a set of MPRIS Player properties says about the track and the playback state. A field is
// none when the set leaves it as it was.
struct NowPlayingUpdate {
    std::optional<QString> title;
    std::optional<QString> artist;
    std::optional<bool> isPlaying;
};

// A complete read (GetAll) stands for the whole state: what it lacks is none. An announced
// change (PropertiesChanged) carries only what changed.
enum class PropertySet { complete, changes };

// Reads the track and state from Player properties as they arrive from the bus, whatever types a
// player sends: a structure where text belongs reads as empty.
NowPlayingUpdate readPlayerProperties(const QVariantMap& properties, PropertySet set);

// A dictionary as the bus hands it over: still marshalled when nested in a variant or a reply.
QVariantMap dictionaryFromBus(const QVariant& value);

} // namespace moorlet

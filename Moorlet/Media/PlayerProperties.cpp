#include "Moorlet/Media/PlayerProperties.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QStringList>

namespace moorlet {

namespace {

QVariant unwrapVariant(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QDBusVariant>())
        return value.value<QDBusVariant>().variant();
    return value;
}

// "xesam:artist" is a list of names; a few players send one string.
QString artistText(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QStringList>())
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

} // namespace

QVariantMap dictionaryFromBus(const QVariant& value)
{
    if (value.metaType() != QMetaType::fromType<QDBusArgument>())
        return value.toMap();
    // Demarshalling a dictionary out of anything else reads past what is there.
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentType() != QDBusArgument::MapType || argument.currentSignature() != QLatin1String("a{sv}"))
        return {};
    return qdbus_cast<QVariantMap>(argument);
}

// Metadata without a title or artist means no track, so those become empty.
NowPlayingUpdate readPlayerProperties(const QVariantMap& properties, PropertySet set)
{
    NowPlayingUpdate update;
    const auto metadata = properties.constFind(QStringLiteral("Metadata"));
    if (metadata != properties.cend() || set == PropertySet::complete) {
        const auto track = metadata != properties.cend() ? dictionaryFromBus(unwrapVariant(*metadata)) : QVariantMap();
        update.title = unwrapVariant(track.value(QStringLiteral("xesam:title"))).toString();
        update.artist = artistText(unwrapVariant(track.value(QStringLiteral("xesam:artist"))));
    }
    const auto status = properties.constFind(QStringLiteral("PlaybackStatus"));
    if (status != properties.cend() || set == PropertySet::complete)
        update.isPlaying = status != properties.cend() && unwrapVariant(*status).toString() == QLatin1String("Playing");
    return update;
}

} // namespace moorlet

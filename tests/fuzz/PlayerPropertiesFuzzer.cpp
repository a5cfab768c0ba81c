// MPRIS Player properties as a player sends them: the input decides a tree of D-Bus values that
// goes over a real peer connection, so what is read is what Qt demarshals from the wire, nested
// variants and dictionaries of every type included.
#include "Moorlet/Media/PlayerProperties.h"

#include "tests/support/DBusPeer.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>

#include <cstdlib>
#include <optional>

namespace {

struct Input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t offset = 0;

    std::uint8_t byte() { return offset < size ? data[offset++] : 0; }
    QByteArray bytes()
    {
        const auto length = std::min<std::size_t>(byte(), size - std::min(offset, size));
        QByteArray result(reinterpret_cast<const char*>(data + offset), static_cast<qsizetype>(length));
        offset += length;
        return result;
    }
    QString text() { return QString::fromUtf8(bytes()); }
    QString key()
    {
        static const char* const keys[] = { "xesam:title", "xesam:artist", "xesam:album", "mpris:length",
            "Metadata", "PlaybackStatus" };
        const auto choice = byte();
        return choice < 2 * std::size(keys) ? QString::fromLatin1(keys[choice % std::size(keys)]) : text();
    }
};

QVariantMap dictionary(Input& input, int depth);

// One value of the types players put in properties, nested up to a few levels.
QVariant value(Input& input, int depth)
{
    switch (input.byte() % (depth > 3 ? 7 : 12)) {
    case 0: return input.text();
    case 1: return static_cast<qint64>(input.byte()) << 40;
    case 2: return static_cast<int>(input.byte()) - 128;
    case 3: return input.byte() / 7.0;
    case 4: return bool(input.byte() & 1);
    case 5: return input.bytes();
    case 6: return QVariant::fromValue(QDBusObjectPath(QStringLiteral("/track/%1").arg(input.byte())));
    case 7: {
        QStringList names;
        for (auto count = input.byte() % 4; count > 0; --count)
            names << input.text();
        return names;
    }
    case 8: return dictionary(input, depth + 1);
    case 9: {
        // A structure, as no property of a player should be.
        QDBusArgument structure;
        structure.beginStructure();
        structure << input.text() << static_cast<int>(input.byte());
        structure.endStructure();
        return QVariant::fromValue(structure);
    }
    case 10: {
        // A dictionary of other types than text to variants.
        QDBusArgument map;
        map.beginMap(QMetaType::fromType<int>(), QMetaType::fromType<QString>());
        for (auto count = input.byte() % 3; count > 0; --count) {
            map.beginMapEntry();
            map << static_cast<int>(input.byte()) << input.text();
            map.endMapEntry();
        }
        map.endMap();
        return QVariant::fromValue(map);
    }
    default: return QVariant::fromValue(QDBusVariant(value(input, depth + 1)));
    }
}

QVariantMap dictionary(Input& input, int depth)
{
    QVariantMap map;
    for (auto count = input.byte() % 6; count > 0; --count)
        map.insert(input.key(), QVariant::fromValue(QDBusVariant(value(input, depth))));
    return map;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "PlayerPropertiesFuzzer";
    static char* argv[] = { name, nullptr };
    static QCoreApplication application(argc, argv);
    static testsupport::DBusPeer peer(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    if (!peer.isConnected())
        std::abort();

    Input input { data, size };
    auto message = QDBusMessage::createSignal(QStringLiteral("/org/mpris/MediaPlayer2"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    message << QStringLiteral("org.mpris.MediaPlayer2.Player") << dictionary(input, 0) << QStringList();
    // A value Qt refuses to marshal is not sent: a player could not send it either.
    const auto received = peer.roundTrip(message);
    if (!received)
        return 0;
    const auto arguments = received->arguments();
    if (arguments.size() != 3)
        std::abort();
    // The two ways properties arrive: a whole reply still marshalled, and a change as a dictionary.
    for (const auto set : { moorlet::PropertySet::complete, moorlet::PropertySet::changes }) {
        const auto update = moorlet::readPlayerProperties(moorlet::dictionaryFromBus(arguments.at(1)), set);
        if (set == moorlet::PropertySet::complete && (!update.title || !update.artist || !update.isPlaying))
            std::abort();
    }
    return 0;
}


#include "Moorlet/Media/PlayerProperties.h"

#include "tests/support/DBusPeer.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QStringList>

#include <gtest/gtest.h>

using namespace moorlet;

namespace {

QVariant variant(const QVariant& value) { return QVariant::fromValue(QDBusVariant(value)); }

QDBusArgument structure()
{
    QDBusArgument argument;
    argument.beginStructure();
    argument << QStringLiteral("Song") << 3;
    argument.endStructure();
    return argument;
}

} // namespace

// Properties go over a real D-Bus connection, so they arrive as a player's do: nested
// dictionaries still marshalled. A player that sends its metadata in the wrong shape is shown
// with no track, and never takes the program down.
TEST(PlayerPropertiesTest, ReadsWhatAPlayerSendsWhateverItsShape)
{
    testsupport::DBusPeer peer(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    ASSERT_TRUE(peer.isConnected());
    const QVariantMap song { { QStringLiteral("xesam:title"), variant(QStringLiteral("Song")) },
        { QStringLiteral("xesam:artist"), variant(QStringList { QStringLiteral("A"), QStringLiteral("B") }) } };
    struct Case {
        const char* name;
        QVariant metadata;
        QString title;
        QString artist;
    };
    const Case cases[] = {
        { "dictionary", song, QStringLiteral("Song"), QStringLiteral("A, B") },
        { "one artist as text",
            QVariantMap { { QStringLiteral("xesam:artist"), variant(QStringLiteral("Solo")) } }, {}, QStringLiteral("Solo") },
        { "structure", QVariant::fromValue(structure()), {}, {} },
        { "text", QStringLiteral("Song"), {}, {} },
    };
    for (const auto& entry : cases) {
        SCOPED_TRACE(entry.name);
        auto signal = QDBusMessage::createSignal(QStringLiteral("/org/mpris/MediaPlayer2"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
        signal << QStringLiteral("org.mpris.MediaPlayer2.Player")
               << QVariantMap { { QStringLiteral("Metadata"), variant(entry.metadata) },
                      { QStringLiteral("PlaybackStatus"), variant(QStringLiteral("Playing")) } }
               << QStringList();
        const auto received = peer.roundTrip(signal);
        ASSERT_TRUE(received);
        const auto update = readPlayerProperties(dictionaryFromBus(received->arguments().at(1)), PropertySet::complete);
        EXPECT_EQ(update.title, entry.title);
        EXPECT_EQ(update.artist, entry.artist);
        EXPECT_EQ(update.isPlaying, true);
    }
}

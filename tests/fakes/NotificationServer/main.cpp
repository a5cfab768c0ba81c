// A notification server for tests: owns org.freedesktop.Notifications on the session bus and logs
// every call it gets to the file given with --log (JSON lines, see RecordingNotificationServer).
// With --body-markup it announces that it reads bodies as markup.
// It exits with the process that started it.

#include "tests/support/FakeServiceMain.h"
#include "tests/fakes/NotificationServer/RecordingNotificationServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int main(int argc, char** argv)
{
    exitWithParent();
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption logOption(QStringLiteral("log"),
        QStringLiteral("Append every call to <file> as JSON lines."), QStringLiteral("file"));
    const QCommandLineOption markupOption(QStringLiteral("body-markup"), QStringLiteral("Announce body-markup."));
    parser.addOptions({ logOption, markupOption });
    parser.process(app);

    RecordingNotificationServer server(parser.value(logOption), parser.isSet(markupOption));
    return serveOnSessionBus(
        server, QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.Notifications"));
}

// A notification server for tests: owns org.freedesktop.Notifications on the session bus and logs
// every call it gets to the file given with --log (JSON lines, see RecordingNotificationServer).
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
    parser.addOption(logOption);
    parser.process(app);

    RecordingNotificationServer server(parser.value(logOption));
    return serveOnSessionBus(
        server, QStringLiteral("/org/freedesktop/Notifications"), QStringLiteral("org.freedesktop.Notifications"));
}

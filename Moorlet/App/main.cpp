// The moorlet program: the application, or, with --toggle, --skip, --reset or --status, a
// request to the application that already runs.

#include "Moorlet/App/CommandLine.h"
#include "Moorlet/App/DesktopIdentity.h"
#include "Moorlet/App/InstanceService.h"
#include "Moorlet/App/MoorletApp.h"
#include "Moorlet/App/SingleInstance.h"
#include "Moorlet/App/WindowSystem.h"

#include <QApplication>
#include <QCoreApplication>

#include <cstdio>

using namespace moorlet;

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

// Says why a request did not reach the running instance; returns the exit code.
int reportUndelivered(const SingleInstance::Reply& reply)
{
    if (reply.status == SingleInstance::Reply::Status::answered)
        return CommandLine::kExitSuccess;
    print(stderr, CommandLine::undeliveredText(reply));
    return CommandLine::kExitNotRunning;
}

int sendRequest(int argc, char** argv, AppCommand command)
{
    QCoreApplication application(argc, argv);
    const auto reply = SingleInstance::send(QDBusConnection::sessionBus(), command);
    if (reply.status != SingleInstance::Reply::Status::answered)
        return reportUndelivered(reply);
    if (command == AppCommand::status)
        print(stdout, reply.text + QLatin1Char('\n'));
    return CommandLine::kExitSuccess;
}

int runApplication(int argc, char** argv)
{
    WindowSystem::preferX11();
    // SDL, once its audio is up, would turn SIGTERM and SIGINT into events nobody reads, and the
    // program could then no longer be ended by a logout, `kill` or Ctrl+C.
    qputenv("SDL_NO_SIGNAL_HANDLERS", "1");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(DesktopIdentity::kApplicationName));
    QApplication::setApplicationVersion(QStringLiteral(MOORLET_VERSION));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(DesktopIdentity::kDesktopEntry));
    QGuiApplication::setQuitOnLastWindowClosed(false);

    InstanceService service;
    const auto bus = QDBusConnection::sessionBus();
    const auto claim = SingleInstance::claim(bus, service);
    if (claim == SingleInstance::Claim::secondary)
        return reportUndelivered(SingleInstance::send(bus, AppCommand::launch));

    MoorletApp moorlet(AppDelegate::Configuration::fromEnvironment(),
        claim == SingleInstance::Claim::primary ? &service : nullptr);
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int index = 0; index < argc; ++index)
        arguments.append(QString::fromLocal8Bit(argv[index]));
    const auto commandLine = CommandLine::parse(arguments);
    switch (commandLine.outcome()) {
    case CommandLine::Outcome::showHelp:
        print(stdout, CommandLine::helpText());
        return CommandLine::kExitSuccess;
    case CommandLine::Outcome::showVersion:
        print(stdout, QStringLiteral("Moorlet %1\n").arg(QStringLiteral(MOORLET_VERSION)));
        return CommandLine::kExitSuccess;
    case CommandLine::Outcome::invalid:
        print(stderr, QStringLiteral("moorlet: %1\nTry 'moorlet --help'.\n").arg(commandLine.error()));
        return CommandLine::kExitUsage;
    case CommandLine::Outcome::run:
        break;
    }
    if (commandLine.command() == AppCommand::launch)
        return runApplication(argc, argv);
    return sendRequest(argc, argv, commandLine.command());
}

// The moorlet program: with --toggle, --skip, --reset or --status a request to the application
// that already runs, answered with Qt's core and D-Bus only (a status bar may ask every second);
// without one, the application itself, moorlet-app, started in this process's place.

#include "Moorlet/App/CommandLine.h"
#include "Moorlet/App/SingleInstance.h"
#include "Moorlet/App/StatusFollower.h"

#include <QCoreApplication>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

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

int sendRequest(int argc, char** argv, const CommandLine& commandLine)
{
    QCoreApplication application(argc, argv);
    const auto bus = QDBusConnection::sessionBus();
    if (commandLine.follow()) {
        StatusFollower follower(bus, [](const QString& line) { print(stdout, line + QLatin1Char('\n')); });
        follower.onEnded = [] { QCoreApplication::quit(); };
        const auto reply = follower.start();
        if (reply.status != SingleInstance::Reply::Status::answered)
            return reportUndelivered(reply);
        return QCoreApplication::exec();
    }
    const auto reply = SingleInstance::send(bus, commandLine.command());
    if (reply.status != SingleInstance::Reply::Status::answered)
        return reportUndelivered(reply);
    if (commandLine.command() == AppCommand::status)
        print(stdout, reply.text + QLatin1Char('\n'));
    return CommandLine::kExitSuccess;
}

// Replaces this process with the application, which lies at a fixed place relative to this
// program wherever the folder was installed or unpacked.
int runApplication(char** argv)
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    const auto program = (self.parent_path() / MOORLET_APPLICATION_PROGRAM).lexically_normal();
    if (!error)
        ::execv(program.c_str(), argv);
    print(stderr, QStringLiteral("moorlet: cannot start %1: %2\n")
                      .arg(QString::fromStdString(program.string()), QString::fromLocal8Bit(std::strerror(errno))));
    return CommandLine::kExitNotRunning;
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
        return runApplication(argv);
    return sendRequest(argc, argv, commandLine);
}

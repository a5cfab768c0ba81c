// The moorlet-app program: the application itself, with its widget, tray item and hot key.
// The moorlet program starts it in its own place (exec) when given no request, so that requests
// never load the GUI toolkit.

#include "Moorlet/App/CommandLine.h"
#include "Moorlet/App/DesktopIdentity.h"
#include "Moorlet/App/InstanceService.h"
#include "Moorlet/App/MoorletApp.h"
#include "Moorlet/App/SingleInstance.h"
#include "Moorlet/App/WindowSystem.h"

#include <QApplication>

#include <cstdio>

using namespace moorlet;

int main(int argc, char** argv)
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
    if (claim == SingleInstance::Claim::secondary) {
        const auto reply = SingleInstance::send(bus, AppCommand::launch);
        if (reply.status == SingleInstance::Reply::Status::answered)
            return CommandLine::kExitSuccess;
        std::fputs(CommandLine::undeliveredText(reply).toLocal8Bit().constData(), stderr);
        return CommandLine::kExitNotRunning;
    }

    MoorletApp moorlet(AppDelegate::Configuration::fromEnvironment(),
        claim == SingleInstance::Claim::primary ? &service : nullptr);
    return QApplication::exec();
}

#include "Moorlet/App/MoorletApp.h"

#include "Moorlet/App/InstanceService.h"
#include "Moorlet/App/MenuBarContent.h"
#include "Moorlet/App/MenuBarLabel.h"
#include "Moorlet/App/SessionCommands.h"
#include "Moorlet/App/SessionStatus.h"
#include "Moorlet/App/StatusFeed.h"
#include "Moorlet/Focus/FocusController.h"

#include <QMenu>

namespace moorlet {

MoorletApp::MoorletApp(AppDelegate::Configuration configuration, InstanceService* service, QObject* parent)
    : QObject(parent)
    , m_service(service)
    , m_delegate(std::make_unique<AppDelegate>(std::move(configuration)))
{
    m_delegate->applicationDidFinishLaunching();

    auto& controller = m_delegate->controller();
    m_content = std::make_unique<MenuBarContent>(controller);
    m_content->openInsights = [this] { m_delegate->showInsights(); };
    m_content->openGuide = [this] { m_delegate->showWelcomeTour(); };
    m_content->openSettings = [this] { m_delegate->showSettings(); };
    // The answer to a check the user asked for shows in the settings' updates rows.
    m_content->checkForUpdates = [this] { m_delegate->checkForUpdates(); };
    m_content->setUpdatesItself(m_delegate->updates().updatesItself());
    m_label = std::make_unique<MenuBarLabel>(controller);
    m_trayIcon.setContextMenu(m_content->menu());
    m_trayIcon.setIcon(m_label->icon());
    updateTrayText();
    connect(m_label.get(), &MenuBarLabel::textChanged, this, &MoorletApp::updateTrayText);
    connect(m_label.get(), &MenuBarLabel::iconChanged, this, [this] { m_trayIcon.setIcon(m_label->icon()); });
    // A plain click on the tray icon (where the tray offers one) opens the card.
    connect(&m_trayIcon, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger)
            m_delegate->showWidget();
    });
    m_trayIcon.show();

    if (!service)
        return;
    service->onActivate = [this] { m_delegate->showWidget(); };
    service->onToggle = [this] { SessionCommands::toggle(m_delegate->controller()); };
    service->onSkip = [this] { SessionCommands::skip(m_delegate->controller()); };
    service->onReset = [this] { SessionCommands::reset(m_delegate->controller()); };
    service->onStatus = [this] { return SessionStatus::line(m_delegate->controller()); };
    m_statusFeed = std::make_unique<StatusFeed>(controller);
    connect(m_statusFeed.get(), &StatusFeed::lineChanged, service, &InstanceService::StatusChanged);
}

MoorletApp::~MoorletApp()
{
    m_trayIcon.hide();
    if (m_service) {
        m_service->onActivate = nullptr;
        m_service->onToggle = nullptr;
        m_service->onSkip = nullptr;
        m_service->onReset = nullptr;
        m_service->onStatus = nullptr;
    }
}

void MoorletApp::updateTrayText()
{
    m_trayIcon.setToolTip(m_label->toolTip());
}

} // namespace moorlet

#pragma once

#include "Moorlet/App/AppDelegate.h"

#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <memory>

namespace moorlet {

class InstanceService;
class MenuBarContent;
class MenuBarLabel;
class StatusFeed;

// The running application: the delegate that owns every long-lived object, the tray item with
// its label and menu, and the session-bus interface through which later starts of the program
// (moorlet --toggle, …) reach this one.
//
// Main thread only.
class MoorletApp : public QObject {
    Q_OBJECT

public:
    // `service` is this process's exported InstanceService (it already owns the bus name) or
    // null when there is no session bus; the application installs its handlers.
    MoorletApp(AppDelegate::Configuration configuration, InstanceService* service, QObject* parent = nullptr);
    ~MoorletApp() override;

    AppDelegate& delegate() { return *m_delegate; }
    QSystemTrayIcon& trayIcon() { return m_trayIcon; }
    MenuBarContent& menuBarContent() { return *m_content; }
    MenuBarLabel& menuBarLabel() { return *m_label; }

private:
    void updateTrayText();

    QPointer<InstanceService> m_service;
    std::unique_ptr<AppDelegate> m_delegate;
    std::unique_ptr<MenuBarContent> m_content;
    std::unique_ptr<MenuBarLabel> m_label;
    // Tells `moorlet --status --follow` about changes; only with a bus to tell them on.
    std::unique_ptr<StatusFeed> m_statusFeed;
    QSystemTrayIcon m_trayIcon;
};

} // namespace moorlet

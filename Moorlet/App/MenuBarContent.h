#pragma once

#include "Moorlet/App/MenuBarItem.h"
#include "MoorletCore/SessionPhase.h"

#include <QObject>

#include <functional>
#include <map>
#include <memory>
#include <vector>

class QAction;
class QMenu;

namespace moorlet {

class FocusController;

// The tray item's menu: start, pause or resume focus; skip; reset; insights, the welcome tour and
// the settings; checking for updates (or, where the program does not update itself, a disabled
// line saying where updates come from); quit. Its titles and enabled states follow the controller's phase and timer state as
// they change.
//
// Main thread only. The controller must outlive the menu.
class MenuBarContent : public QObject {
    Q_OBJECT

public:
    explicit MenuBarContent(FocusController& controller, QObject* parent = nullptr);
    ~MenuBarContent() override;

    // The entries for a phase and timer state, in menu order.
    static std::vector<MenuBarItem> items(SessionPhase phase, bool isRunning, bool updatesItself = false);

    // Whether "Check for Updates…" is offered; off until the host says so.
    void setUpdatesItself(bool updatesItself);

    // The menu the tray icon shows; owned by this object.
    QMenu* menu() const { return m_menu.get(); }
    // The entries as the menu shows them now.
    std::vector<MenuBarItem> currentItems() const;

    // What "Insights", "Guide…" and "Settings" open.
    std::function<void()> openInsights;
    std::function<void()> openGuide;
    std::function<void()> openSettings;
    // What "Check for Updates…" does.
    std::function<void()> checkForUpdates;
    // What "Quit Moorlet" does; by default it ends the application's event loop.
    std::function<void()> onQuit;

private:
    void update();
    void trigger(MenuBarItem::Role role);

    FocusController& m_controller;
    bool m_updatesItself = false;
    std::unique_ptr<QMenu> m_menu;
    std::vector<std::pair<MenuBarItem::Role, QAction*>> m_actions;
};

} // namespace moorlet

#pragma once

#include <QKeySequence>
#include <QString>

namespace moorlet {

// One entry of the tray menu, as the menu shows it at a moment.
struct MenuBarItem {
    enum class Role {
        toggle,
        skip,
        reset,
        separator,
        insights,
        guide,
        settings,
        checkForUpdates,
        quit,
    };

    Role role = Role::separator;
    QString title;
    bool enabled = true;
    QKeySequence shortcut;

    bool operator==(const MenuBarItem&) const = default;
};

} // namespace moorlet

#pragma once

#include <QDBusMessage>
#include <QString>

#include <optional>
#include <vector>

// A tray item seen from the tray's side: its StatusNotifierItem properties and its menu, read
// and clicked through com.canonical.dbusmenu as a desktop's tray would. Every call blocks on the
// session bus, so the item must live in another process.
class TrayMenu {
public:
    struct Entry {
        int id = 0;
        QString label;
        bool enabled = true;
    };

    // `item` as the watcher lists it: "service/path".
    explicit TrayMenu(const QString& item);

    // The top-level entries, in order; empty when the menu cannot be read.
    std::vector<Entry> entries() const;
    // The first entry with the label.
    std::optional<Entry> entry(const QString& label) const;
    // Sends the "clicked" event a tray sends when the user picks the entry.
    bool click(int id) const;
    // What a tray sends on a plain click on the icon (org.kde.StatusNotifierItem.Activate).
    bool activate() const;

private:
    // A call of `method` on the item's com.canonical.dbusmenu object.
    QDBusMessage menuCall(const QString& method) const;

    QString m_service;
    QString m_itemPath;
};

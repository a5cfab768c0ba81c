#pragma once

#include "Moorlet/App/SingleInstance.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <functional>

class QDBusServiceWatcher;

namespace moorlet {

// `moorlet --status --follow`: the running instance's status line at once and again on every
// StatusChanged it announces, until the instance leaves the bus. One process serves a status bar
// for as long as Moorlet runs.
//
// Main thread only; lines and the end arrive from the event loop.
class StatusFollower : public QObject {
    Q_OBJECT

public:
    StatusFollower(QDBusConnection bus, std::function<void(const QString&)> print, QObject* parent = nullptr);
    ~StatusFollower() override;

    // Listens first and then asks for the current line, so no change falls in between. Anything
    // but `answered` means there is nothing to follow.
    SingleInstance::Reply start();

    // Called once the instance has gone.
    std::function<void()> onEnded;

private slots:
    void statusChanged(const QString& line);

private:
    QDBusConnection m_bus;
    std::function<void(const QString&)> m_print;
    QDBusServiceWatcher* m_watcher = nullptr;
    QString m_last;
};

} // namespace moorlet

#pragma once

#include "Moorlet/App/AppCommand.h"

#include <QDBusConnection>
#include <QString>

namespace moorlet {

class InstanceService;

// One running application per session: the first start owns InstanceService::kServiceName on
// the session bus, and every later start hands its request to it over D-Bus and exits.
//
// Main thread only; `send` blocks until the running instance answers or kReplyTimeoutMs passes.
namespace SingleInstance {

// How long a request waits for the running instance.
inline constexpr int kReplyTimeoutMs = 5000;

enum class Claim {
    // This process owns the name: it is the running instance.
    primary,
    // Another process owns it.
    secondary,
    // There is no session bus: the application runs without single-instance protection.
    noBus,
};

// Exports `service` and then takes the name, so no caller ever reaches the name before the
// object behind it. On `secondary` the object is withdrawn again.
Claim claim(QDBusConnection bus, InstanceService& service);

struct Reply {
    enum class Status {
        // The instance answered; `text` holds Status()'s JSON for a status request.
        answered,
        // No instance owns the name.
        notRunning,
        noBus,
        // The instance owns the name but refused or did not answer in time.
        failed,
    };
    Status status = Status::failed;
    QString text;
};

// Sends one request to the running instance (never starts one).
Reply send(QDBusConnection bus, AppCommand command, int timeoutMs = kReplyTimeoutMs);

} // namespace SingleInstance

} // namespace moorlet

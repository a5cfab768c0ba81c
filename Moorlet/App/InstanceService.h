#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>

#include <functional>

namespace moorlet {

// The running application's D-Bus interface (org.moorlet.Moorlet at /org/moorlet/Moorlet on the
// session bus), through which a second start of the program hands over its request instead of
// starting a second widget:
//   Activate()          show the widget (a plain second start)
//   Toggle(), Skip(), Reset()
//   Status() -> s       one line of JSON (SessionStatus)
//   signal StatusChanged(s)  that line again whenever what it shows changes (StatusFeed), for
//                       `moorlet --status --follow`
// Each call runs the handler the application installed. A call that arrives before its handler
// is installed gets the error org.moorlet.Moorlet.Error.NotReady.
//
// Calls arrive on the main thread, from the event loop.
class InstanceService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.moorlet.Moorlet")

public:
    static constexpr auto kServiceName = "org.moorlet.Moorlet";
    static constexpr auto kObjectPath = "/org/moorlet/Moorlet";
    static constexpr auto kInterface = "org.moorlet.Moorlet";
    static constexpr auto kNotReadyError = "org.moorlet.Moorlet.Error.NotReady";
    static constexpr auto kStatusChangedSignal = "StatusChanged";

    explicit InstanceService(QObject* parent = nullptr);

    std::function<void()> onActivate;
    std::function<void()> onToggle;
    std::function<void()> onSkip;
    std::function<void()> onReset;
    std::function<QString()> onStatus;

public slots:
    void Activate();
    void Toggle();
    void Skip();
    void Reset();
    QString Status();

signals:
    void StatusChanged(const QString& line);

private:
    void run(const std::function<void()>& handler);
};

} // namespace moorlet

#pragma once

#include <QJsonObject>
#include <QObject>
#include <QString>

namespace moorlet {

class FocusController;

// Announces the status line (SessionStatus) whenever what a status bar shows changes: the phase,
// whether it runs or is paused, the time the widget shows, today's figures. The controller's
// fractional seconds change on every tick and are no news on their own, so a running phase makes
// one line a second and an idle or paused one none.
//
// Main thread only. The several signals one controller update emits make one line, from the
// event loop.
class StatusFeed : public QObject {
    Q_OBJECT

public:
    explicit StatusFeed(const FocusController& controller, QObject* parent = nullptr);

signals:
    void lineChanged(const QString& line);

private:
    void schedule();
    void publish();

    const FocusController& m_controller;
    QJsonObject m_shown;
    bool m_scheduled = false;
};

} // namespace moorlet

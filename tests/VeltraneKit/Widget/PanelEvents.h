#pragma once

#include "tests/VeltraneKit/Widget/FakeScreenProvider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace veltrane::testing {

// Drives a panel's mouse handling offscreen: the panel reads the pointer from the fake screen
// provider, so the events' own positions do not matter. Events go to `target` and propagate up
// to the panel the way the window system's would.
class PanelEvents {
public:
    PanelEvents(FakeScreenProvider& screens, QWidget& target)
        : m_screens(screens)
        , m_target(target)
    {
    }

    void press(Point at, Qt::MouseButton button = Qt::LeftButton)
    {
        m_screens.setMouseLocation(at);
        send(QEvent::MouseButtonPress, button, button);
    }
    void moveTo(Point at, Qt::MouseButtons held = Qt::LeftButton)
    {
        m_screens.setMouseLocation(at);
        send(QEvent::MouseMove, Qt::NoButton, held);
    }
    void release(Qt::MouseButton button = Qt::LeftButton) { send(QEvent::MouseButtonRelease, button, Qt::NoButton); }
    // Presses at `from`, moves through `path` and releases.
    void drag(Point from, std::initializer_list<Point> path, Qt::MouseButton button = Qt::LeftButton)
    {
        press(from, button);
        for (Point point : path)
            moveTo(point, button);
        release(button);
    }

private:
    void send(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QPointF local(10, 10);
        QMouseEvent event(type, local, m_target.mapToGlobal(local), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(&m_target, &event);
    }

    FakeScreenProvider& m_screens;
    QWidget& m_target;
};

} // namespace veltrane::testing

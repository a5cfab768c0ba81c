#pragma once

#include "Moorlet/Views/ViewEnvironment.h"
#include "Moorlet/WelcomeTour/WelcomeTourView.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace moorlet {

class FocusController;
class ReduceMotion;

// The welcome tour's own window: a normal decorated top-level window of a fixed size that hosts
// the painted tour, passes it the pointer and the keys (Left, Right, Enter, Escape), and draws
// it in the appearance the settings ask for (light, dark, or the desktop's, as the widget does) and with motion reduced when the settings or the desktop say so.
//
// The host creates it once and keeps it: showFromStart() shows it (again) on the first page.
// Leaving the tour is the host's business: onFinish (Skip, Escape) and onTryDemo ("Try a
// 25-second focus") are called as they are, and the window does not close itself.
//
// Main thread only. The controller must outlive the window.
class WelcomeTourWindow : public QWidget {
    Q_OBJECT

public:
    WelcomeTourWindow(FocusController& controller, QColor accent, std::function<void()> onFinish,
        std::function<void()> onTryDemo, ViewEnvironment environment = {}, QWidget* parent = nullptr);
    ~WelcomeTourWindow() override;

    // Shows the window on the tour's first page and brings it to the front.
    void showFromStart();

    WelcomeTourView& view() { return *m_view; }
    // Paints the window into an image of its size (for tests and screenshots).
    QImage renderToImage();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    std::optional<WelcomeTourTarget> targetAt(QPointF position) const;

    FocusController& m_controller;
    ViewEnvironment m_environment;
    std::unique_ptr<ReduceMotion> m_reduceMotion;
    std::unique_ptr<WelcomeTourView> m_view;
    ViewPalette m_palette;
    std::optional<WelcomeTourTarget> m_pressed;
};

} // namespace moorlet

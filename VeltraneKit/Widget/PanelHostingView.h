#pragma once

#include <QPointer>
#include <QWidget>

class QGraphicsOpacityEffect;

namespace veltrane {

// The panel's content: a transparent view that holds the replaceable root view of the widget,
// fills itself with it, and draws it at the widget's opacity. Presses the root view leaves
// unaccepted pass on to the panel, which turns them into clicks and drags.
//
// Main thread only.
class PanelHostingView : public QWidget {
    Q_OBJECT

public:
    // Takes ownership of `rootView` (may be null).
    explicit PanelHostingView(QWidget* rootView = nullptr, QWidget* parent = nullptr);
    ~PanelHostingView() override;

    // Replaces the root view and takes ownership of the new one; the previous one is hidden at
    // once and deleted on the next turn of the event loop (it may be the sender of the event
    // that led here).
    void setRootView(QWidget* rootView);
    QWidget* rootView() const { return m_rootView; }

    // The opacity the root view is drawn at, clamped to [0, 1]; anything that is not a number
    // counts as fully opaque.
    void setOpacity(double opacity);
    double opacity() const { return m_opacity; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointer<QWidget> m_rootView;
    double m_opacity = 1;
};

} // namespace veltrane

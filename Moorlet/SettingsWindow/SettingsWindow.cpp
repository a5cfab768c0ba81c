#include "Moorlet/SettingsWindow/SettingsWindow.h"

#include "Moorlet/SettingsWindow/SettingsTexts.h"
#include "Moorlet/SettingsWindow/SettingsView.h"

#include <QVBoxLayout>

namespace moorlet {

SettingsWindow::SettingsWindow(SettingsObjects objects, SettingsCallbacks callbacks, DiagnosticsProvider diagnostics,
    veltrane::FrameTicker* ticker, QWidget* parent)
    : QWidget(parent, Qt::Window)
{
    setWindowTitle(QString::fromUtf8(SettingsTexts::kWindowTitle));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new SettingsView(std::move(objects), std::move(callbacks), std::move(diagnostics), ticker, this);
    layout->addWidget(m_view);
    // Wide enough for the sidebar and a pane's widest row.
    setMinimumSize(600, 420);
    resize(m_view->sizeHint());
}

void SettingsWindow::showAndRaise()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    m_view->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace moorlet

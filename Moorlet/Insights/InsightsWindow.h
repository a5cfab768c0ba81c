#pragma once

#include "Moorlet/Insights/InsightsView.h"
#include "Moorlet/Views/ViewEnvironment.h"

#include <QColor>
#include <QImage>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

class QScrollArea;

namespace veltrane {
class SettingsStore;
}

namespace moorlet {

class ReduceMotion;

// The "Insights" window: the dashboard in a scrolling, resizable-in-height window, drawn in the
// appearance the settings ask for. "Share recap" opens the share window with the range's recap;
// "Export CSV" asks where to save the whole session log and says so in one sentence when the
// file could not be written.
//
// The host creates it once and keeps it; showInsights() brings it up again. The dialogs are
// services so that tests can answer them. Main thread only; the objects passed in must outlive it.
class InsightsWindow : public QWidget {
    Q_OBJECT

public:
    struct Services {
        // Where to save the CSV; nothing when cancelled. Default: a save dialog proposing
        // "Moorlet-sessions.csv".
        std::function<std::optional<std::filesystem::path>(QWidget*)> chooseCsvFile;
        // Tells the user something went wrong. Default: a warning box.
        std::function<void(QWidget*, const QString&)> showFailure;
        // Opens the share window. Default: ShareComposerView::present.
        std::function<void(const RecapData&)> shareRecap;
    };

    InsightsWindow(LocalDataStore& store, FocusSettings& focusSettings, veltrane::SettingsStore& settings,
        QColor accent, AnalyticsEngine analytics, ViewEnvironment environment = {}, Services services = {},
        QWidget* parent = nullptr);
    ~InsightsWindow() override;

    // Shows the window (again) with today's figures and brings it to the front.
    void showInsights();
    void setAccent(const QColor& accent) { m_view->setAccent(accent); }

    InsightsView& view() { return *m_view; }
    void exportCsv();
    // The whole dashboard, scrolled or not, painted into an image (for tests and screenshots).
    QImage renderContent(double pixelRatio = 1);

protected:
    void changeEvent(QEvent* event) override;

private:

    LocalDataStore& m_store;
    veltrane::SettingsStore& m_settings;
    ViewEnvironment m_environment;
    std::unique_ptr<ReduceMotion> m_reduceMotion;
    Services m_services;
    QScrollArea* m_scroll = nullptr;
    InsightsView* m_view = nullptr;
};

} // namespace moorlet

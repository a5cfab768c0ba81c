#pragma once

#include "Moorlet/Insights/InsightsFigures.h"
#include "Moorlet/Insights/InsightsLayout.h"
#include "Moorlet/Insights/InsightsTarget.h"
#include "Moorlet/Views/ViewPalette.h"
#include "MoorletCore/AnalyticsEngine.h"
#include "VeltraneKit/Motion/AnimatedValue.h"
#include "VeltraneKit/Time/Clock.h"

#include <QColor>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace moorlet {

class FocusSettings;
class LocalDataStore;
class ReduceMotion;

// The insights dashboard over the stored sessions: the title with the week/month picker, the
// four summary cards, focus per day with hover details, the hours of the day with the peak, the
// five largest subjects, the 112-day activity map and the footer. It paints from the figures the
// analytics give for the chosen range and recomputes them whenever the store publishes new
// sessions, the goal changes or the range is switched; the range and the two hovered indices
// are all it keeps. Bars grow to new heights on a spring, the other bars dim while one is hovered,
// and a hovered tile swells; under reduce motion these crossfade.
//
// Main thread only. The store, the settings, the ticker and the reduce-motion flag must outlive
// the view.
class InsightsView : public QWidget {
    Q_OBJECT

public:
    struct Actions {
        // "Share recap", with the recap of the range shown.
        std::function<void(const RecapData&)> shareRecap;
        // "Export CSV".
        std::function<void()> exportCsv;
    };

    InsightsView(LocalDataStore& store, FocusSettings& focusSettings, QColor accent, AnalyticsEngine analytics,
        veltrane::ClockPtr clock, veltrane::FrameTicker& ticker, const ReduceMotion& reduceMotion, Actions actions,
        QWidget* parent = nullptr);
    ~InsightsView() override;

    int rangeDays() const { return m_figures.rangeDays; }
    void setRangeDays(int days);
    const InsightsFigures& figures() const { return m_figures; }
    InsightsLayout layout() const;
    std::optional<int> hoveredDay() const { return m_hoveredDay; }
    std::optional<int> hoveredActivity() const { return m_hoveredActivity; }
    void setHovered(const std::optional<InsightsTarget>& target);
    void activate(const InsightsTarget& target);
    void setAccent(const QColor& accent);
    void setViewPalette(const ViewPalette& palette);
    // Recomputes the figures from the store (the window does it on every change it hears of).
    void refresh();

    // The texts of the two hover lines.
    QString dayHoverText() const;
    QString activityHoverText() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void paintTitle(QPainter& painter, const InsightsLayout& layout) const;
    void paintSummary(QPainter& painter, const InsightsLayout& layout) const;
    void paintCard(QPainter& painter, const InsightsLayout::Card& card, QStringView symbol, const QString& title) const;
    void paintDays(QPainter& painter, const InsightsLayout& layout) const;
    void paintHours(QPainter& painter, const InsightsLayout& layout) const;
    void paintSubjects(QPainter& painter, const InsightsLayout& layout) const;
    void paintActivity(QPainter& painter, const InsightsLayout& layout) const;
    void paintFooter(QPainter& painter, const InsightsLayout& layout) const;
    using Animated = std::unique_ptr<veltrane::AnimatedValue<double>>;
    Animated animated(double initial);
    veltrane::Animation adaptive(const veltrane::Animation& animation) const;
    void animateBars();

    LocalDataStore& m_store;
    FocusSettings& m_focusSettings;
    QColor m_accent;
    AnalyticsEngine m_analytics;
    veltrane::ClockPtr m_clock;
    veltrane::FrameTicker& m_ticker;
    const ReduceMotion& m_reduceMotion;
    Actions m_actions;
    ViewPalette m_palette;
    // The stored sessions as analytics records, mapped again only when the store changes.
    std::vector<FocusRecord> m_records;
    InsightsFigures m_figures;
    std::optional<int> m_hoveredDay;
    std::optional<int> m_hoveredActivity;
    std::optional<InsightsTarget> m_hovered;
    // Per bar: its height as a share of the chart, and its opacity (dimmed beside a hovered one).
    std::vector<Animated> m_barHeights;
    std::vector<Animated> m_barOpacities;
    // Per heat-map tile: its scale.
    std::vector<Animated> m_tileScales;
};

} // namespace moorlet

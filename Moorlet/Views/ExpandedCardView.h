#pragma once

#include "Moorlet/Views/AmbientView.h"
#include "Moorlet/Views/BreathingAura.h"
#include "Moorlet/Views/CardLayout.h"
#include "Moorlet/Views/CardTarget.h"
#include "Moorlet/Views/CheerLine.h"
#include "Moorlet/Views/LayerCache.h"
#include "Moorlet/Views/MoodMascot.h"
#include "Moorlet/Views/NowPlayingView.h"
#include "Moorlet/Views/RollingText.h"
#include "Moorlet/Views/StaggeredReveal.h"
#include "Moorlet/Views/SubjectIntentionRow.h"
#include "Moorlet/Views/TaskPickerButton.h"
#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Motion/AnimatedValue.h"

#include <QRect>
#include <QRectF>

#include <array>
#include <functional>
#include <memory>
#include <optional>

class QPainter;

namespace moorlet {

struct ViewContext;

// The expanded card: a column of rows (header, ring, controls, task picker, quick start, today's
// figures, and, when they apply, the best-hour insight, the next deadline, the ambient sounds and
// what the music player plays). Every row reveals itself in turn when the card is shown. It
// paints into the card's rectangle and answers which target lies under a point; every action
// goes to the controllers and stores.
class ExpandedCardView {
public:
    struct Actions {
        std::function<void()> openSettings;
        std::function<void()> openInsights;
        // The share window for today's focus.
        std::function<void()> openShare;
    };

    ExpandedCardView(ViewContext& context, Actions actions);
    ~ExpandedCardView();
    ExpandedCardView(const ExpandedCardView&) = delete;
    ExpandedCardView& operator=(const ExpandedCardView&) = delete;

    // On screen or not: the rows reveal themselves, the cheer line rotates and the media
    // controller polls only while shown; hiding closes the popups.
    void setShown(bool shown);
    bool isShown() const { return m_shown; }
    // Reads the controllers again, animates what changed and reacts to a new phase or streak.
    void refresh();
    // Reads only the time and the progress, painting again only where they are: what the
    // running clock changes several times a second.
    void refreshTime();

    // The rows as they are laid out now, in the card's coordinates.
    CardLayout layout() const;
    // The whole card in its own coordinates.
    QRectF bounds() const;
    // Draws the card's rows into `card` (the card's rectangle in the painter's coordinates).
    void paint(QPainter& painter, const QRectF& card) const;

    // In the card's coordinates.
    std::optional<CardTarget> hitTest(QPointF point) const;
    QRectF targetRect(const CardTarget& target) const;
    // The target under the pointer, for hover effects; none when the pointer is elsewhere.
    void setHovered(const std::optional<CardTarget>& target);
    // A tap on a target. `onScreen` is the target's rectangle on screen (a popup opens beside
    // it). Focus started here (the play button from idle, a quick start) asks for the block's
    // intention when the settings say so; the session runs meanwhile.
    void activate(const CardTarget& target, const QRect& onScreen);
    void closePopups();
    // The master level slider follows the pointer's x (card coordinates).
    void dragVolume(double x);
    // A wheel step over the card; returns whether anything scrolled.
    bool scroll(QPointF point, double delta);
    // The ambient chips follow a drag `dx` points along; returns whether they moved.
    bool dragChips(double dx);

    const MoodMascot& mascot() const { return m_mascot; }
    const CheerLine& cheerLine() const { return m_cheer; }
    const BreathingAura& aura() const { return m_aura; }
    const RollingText& time() const { return m_time; }
    TaskPickerButton& taskPicker() { return m_taskPicker; }
    SubjectIntentionRow& subjectIntention() { return m_subjectIntention; }
    AmbientView& ambientView() { return m_ambient; }
    NowPlayingView& nowPlaying() { return m_nowPlaying; }
    const StaggeredReveal& reveal(CardRow row) const { return *m_reveals[static_cast<std::size_t>(row)]; }
    bool revealed() const { return m_revealed; }
    bool dotPulse() const { return m_dotPulse; }
    bool streakBounce() const { return m_streakBounce; }
    bool isRingBreathing() const { return m_ringBreathing; }
    double ringScale() const { return m_ringScale.value(); }
    double displayedRingProgress() const { return m_ringProgress.value(); }
    double displayedGoalProgress() const { return m_goalProgress.value(); }
    double pillScale(CardTarget::Kind kind) const;

private:
    static constexpr std::size_t kRowCount = static_cast<std::size_t>(CardRow::nowPlaying) + 1;

    void promptForIntention();
    // Where the intention field opens, on screen.
    QRect intentionAnchor() const;
    void reactToPhase(bool animate);
    void reactToStreak(bool animate);
    void revealRows();
    void updateRingBreathing();
    void updateTime(bool animate);
    // The progress the ring shows: the displayed progress to the nearest half point of ring.
    double drawnRingProgress() const;
    // Asks for the ring row's parts to be painted again: everything the aura reaches, the ring
    // with its glow, the time's line.
    void repaintInRingRow(const std::function<QRectF(const QRectF& ring)>& area) const;
    void repaintAuraArea() const;
    void repaintRingArea() const;
    void repaintTimeArea() const;

    void paintRow(QPainter& painter, CardRow row, const QRectF& rect) const;
    void paintHeader(QPainter& painter, const QRectF& rect) const;
    void paintRing(QPainter& painter, const QRectF& rect) const;
    void paintControls(QPainter& painter, const QRectF& rect) const;
    void paintQuickStart(QPainter& painter, const QRectF& rect) const;
    void paintAccountability(QPainter& painter, const QRectF& rect) const;
    void paintInsight(QPainter& painter, const QRectF& rect) const;
    void paintExam(QPainter& painter, const QRectF& rect) const;
    QRectF streakBadgeRect(const QRectF& header) const;
    // Where the away notice lies over the rows, while the controller holds one.
    std::optional<QRectF> awayBannerRect() const;

    ViewContext& m_context;
    Actions m_actions;
    bool m_shown = false;
    bool m_revealed = false;
    bool m_initialised = false;
    std::optional<SessionPhase> m_lastPhase;
    int m_lastStreak = 0;

    MoodMascot m_mascot;
    BreathingAura m_aura;
    CheerLine m_cheer;
    RollingText m_time;
    RollingText m_focusToday;
    RollingText m_sessions;
    veltrane::AnimatedValue<double> m_ringProgress;
    veltrane::AnimatedValue<double> m_ringScale;
    veltrane::AnimatedValue<double> m_goalProgress;
    veltrane::AnimatedValue<double> m_streakScale;
    std::array<std::unique_ptr<veltrane::AnimatedValue<double>>, 3> m_pillScales;
    std::array<std::unique_ptr<StaggeredReveal>, kRowCount> m_reveals;
    std::optional<CardTarget> m_hovered;
    TaskPickerButton m_taskPicker;
    SubjectIntentionRow m_subjectIntention;
    AmbientView m_ambient;
    NowPlayingView m_nowPlaying;

    // The ring's glow and the buttons' shadows, kept between frames.
    mutable LayerCache m_ringLayer;
    mutable std::array<LayerCache, 3> m_pillLayers;

    bool m_ringBreathing = false;
    // The card's own short-lived states after a phase or streak change.
    bool m_dotPulse = false;
    bool m_streakBounce = false;
    veltrane::ScheduledTask m_dotPulseEnd;
    veltrane::ScheduledTask m_streakBounceEnd;
};

} // namespace moorlet

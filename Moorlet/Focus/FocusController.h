#pragma once

#include "MoorletCore/AnalyticsEngine.h"
#include "MoorletCore/FocusSessionEngine.h"
#include "Moorlet/Data/FocusTask.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "VeltraneKit/Audio/SoundEffect.h"
#include "VeltraneKit/Geometry/Size.h"
#include "VeltraneKit/Geometry/WidgetAnchor.h"
#include "VeltraneKit/Time/Calendar.h"
#include "VeltraneKit/Time/Clock.h"
#include "VeltraneKit/Time/OneShotScheduler.h"

#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUuid>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace veltrane {
class CuePlayer;
class NotificationScheduling;
class SettingsStore;
} // namespace veltrane

namespace moorlet {

class FocusSettings;

// The application's central observable state. It owns the focus session engine and the ticker
// that drives it, mirrors the engine's live values for the views, stores every reported focus
// block, keeps today's figures, the streak and the best hour up to date, announces phase
// changes and the daily goal, plays the cues, runs the user's automations on focus and break
// edges, and carries the widget's expanded and hovered state for the shell.
//
// Every mirrored value has a …Changed signal that is emitted only when the value changes.
// Main thread only; the engine's callbacks arrive synchronously inside the engine operation
// (start, tick, skip, reset) that caused them.
class FocusController : public QObject {
    Q_OBJECT

public:
    // What the controller talks to besides the stores. Tests pass doubles; the application the
    // real services.
    struct Services {
        veltrane::ClockPtr clock;
        veltrane::Calendar calendar = veltrane::Calendar::current();
        // Posts the phase and goal notices; may be null (nothing is posted).
        veltrane::NotificationScheduling* notifications = nullptr;
        // Plays the cues; null means the controller makes its own SoundEffects on the default
        // audio device.
        std::shared_ptr<veltrane::CuePlayer> soundEffects;
        // Runs a named automation; empty means the user's shortcuts folder.
        std::function<void(const QString&)> runShortcut;
        // Delayed work (the demo's end, the deferred expansion); null means the Qt event loop.
        veltrane::OneShotSchedulerPtr scheduler;
        // The time since the user's last input, or nothing where the desktop does not tell;
        // empty means no idle time at all. Read on every tick of a running focus block.
        std::function<std::optional<veltrane::Seconds>()> idleTime = nullptr;
    };

    // What the card tells a user who comes back to a focus block they were away from.
    struct AwayNotice {
        enum class Kind {
            // Idle past the limit: the card asks whether the time away counts (keepAwayTime(),
            // dropAwayTime()).
            idle,
            // The screen was locked: the block waits paused (resumeAfterAway()).
            locked,
        };
        Kind kind;
        veltrane::Seconds away;
        bool operator==(const AwayNotice&) const = default;
    };

    // The quick-start lengths the card offers, in minutes.
    static constexpr std::array<int, 3> kQuickStartMinutes { 25, 45, 60 };
    // The ticker's period and its allowed slack.
    static constexpr int kTickIntervalMs = 500;
    // How long the demo's break shows before the session returns to idle.
    static constexpr veltrane::Seconds kDemoEndDelay = 1.6;

    FocusController(veltrane::SettingsStore& settings, FocusSettings& focusSettings,
        LocalDataStore* dataStore, Services services, SessionMode mode = SessionMode::pomodoro(),
        QObject* parent = nullptr);
    ~FocusController() override;

    // Mirrors of the engine, updated by sync().
    SessionPhase phase() const { return m_phase; }
    veltrane::Seconds remaining() const { return m_remaining; }
    veltrane::Seconds elapsed() const { return m_elapsed; }
    double progress() const { return m_progress; }
    bool isRunning() const { return m_isRunning; }
    bool isPaused() const { return m_isPaused; }

    bool isExpanded() const { return m_isExpanded; }
    bool isHovered() const { return m_isHovered; }
    // Set by views that need the card to stay open (the task picker's popover).
    bool suppressCollapse() const { return m_suppressCollapse; }
    void setSuppressCollapse(bool suppress);

    veltrane::Size clampingOffset() const { return m_clampingOffset; }
    void setClampingOffset(veltrane::Size offset);
    veltrane::WidgetAnchor widgetAnchor() const { return m_widgetAnchor; }
    void setWidgetAnchor(veltrane::WidgetAnchor anchor);

    QString intention() const { return m_intention; }
    void setIntention(const QString& intention);
    QString currentSubject() const { return m_currentSubject; }
    void setCurrentSubject(const QString& subject);
    // The subject the next stored block is tagged with: the current subject, else the settings'
    // default subject; empty for none.
    QString loggedSubject() const;
    std::optional<QUuid> activeTaskID() const { return m_activeTaskID; }

    veltrane::Seconds focusSecondsToday() const { return m_focusSecondsToday; }
    int completedSessionsToday() const { return m_completedSessionsToday; }
    int streak() const { return m_streak; }
    std::optional<QString> bestHourLabel() const { return m_bestHourLabel; }

    std::vector<int> quickStartMinutes() const { return { kQuickStartMinutes.begin(), kQuickStartMinutes.end() }; }
    bool isDemo() const { return m_isDemo; }
    bool isTicking() const { return m_ticker != nullptr; }

    veltrane::SettingsStore& settings() const { return m_settings; }
    FocusSettings& focusSettings() const { return m_focusSettings; }
    LocalDataStore* dataStore() const { return m_dataStore; }
    ThemeProvider* themeProvider() const { return m_themeProvider; }
    void setThemeProvider(ThemeProvider* provider);
    const AnalyticsEngine& analytics() const { return m_analytics; }
    // The card and the menu drive skip and reset on the engine directly, then call sync().
    FocusSessionEngine& engine() { return m_engine; }
    const FocusSessionEngine& engine() const { return m_engine; }

    // The one play/pause action of the card, the menu and the hot key.
    void toggle();
    // Starts a Pomodoro block of the given whole minutes (the mode stays afterwards).
    void startFocus(int minutes);
    // A short demonstration block that logs nothing. Afterwards the user's own session, if one was
    // under way, comes back as it was (its phase, time left and pause; the demo's time does not
    // count), else the configured mode.
    void startDemo(veltrane::Seconds seconds);
    void setExpanded(bool expanded);
    void setHovered(bool hovered);
    // Makes the task the one logged time goes to, and tags the following blocks with its title.
    void setActiveTask(const std::optional<FocusTask>& task);
    // Recomputes today's figures, the streak and the best hour from the stored sessions, and
    // arms the next recomputation for the start of the next local day. The application calls it
    // again on wake, when the day may have changed while the computer slept.
    void refreshStats(bool announceGoal);
    // Copies the engine's live values into the mirrors.
    void sync();
    // Stops the ticker (invalidates it); the next sync() in an active phase starts a new one.
    void stopTicking();
    // What each firing of the ticker does: tick the engine, sync, and stop once idle.
    void tickerFired();

    // The screen locked or unlocked: a running focus block pauses at the lock when the setting
    // says so (a break runs on), and on unlocking the card opens to say how long the user was away.
    void handleScreenLock();
    void handleScreenUnlock();
    const std::optional<AwayNotice>& awayNotice() const { return m_awayNotice; }
    // The answers to the idle notice: the time away stays focus (a block held at its end now
    // completes), or is given back and the block waits paused from where its user left.
    void keepAwayTime();
    void dropAwayTime();
    // The lock notice's resume button.
    void resumeAfterAway();

    // Presentation values.
    QString displayTime() const;
    QString focusTodayLabel() const;
    QString goalLabel() const;
    double goalProgress() const;
    QString primaryIcon() const;
    QColor accent() const;
    // The daily goal in seconds, or nothing when there is no usable goal (zero or less, not a
    // finite number, or too large for whole minutes).
    std::optional<veltrane::Seconds> dailyGoalSeconds() const;

    // Set by the shell and the application.
    std::function<void(bool)> onExpandedChange;
    std::function<void(bool)> onHoveredChange;
    std::function<void(SessionPhase)> onPhaseChanged;

signals:
    void phaseChanged();
    void remainingChanged();
    void elapsedChanged();
    void progressChanged();
    void isRunningChanged();
    void isPausedChanged();
    void isExpandedChanged();
    void isHoveredChanged();
    void suppressCollapseChanged();
    void clampingOffsetChanged();
    void widgetAnchorChanged();
    void intentionChanged();
    void currentSubjectChanged();
    void activeTaskIDChanged();
    void focusSecondsTodayChanged();
    void completedSessionsTodayChanged();
    void streakChanged();
    void bestHourLabelChanged();
    void accentChanged();
    void awayNoticeChanged();

private:
    void startTicking();
    // Follows the user's idle time during a running focus block; true while the block must not
    // be completed in its user's absence.
    bool watchIdle();
    void setAwayNotice(std::optional<AwayNotice> notice);
    void forgetAway();
    void persist(const CompletedFocusPhase& phase);
    void announce(SessionPhase newPhase);
    void applyFocusShortcuts(SessionPhase previous, SessionPhase newPhase);
    void endDemoIfNeeded(SessionPhase newPhase);
    void handBackAfterDemo(veltrane::Seconds delay);
    void notifyGoalReachedIfNeeded(veltrane::Instant now, bool announce);
    void post(const char* title, const char* body);
    void playCue(veltrane::SoundEffect effect);
    void restartWithMode(const SessionMode& mode);
    void armDayChange(veltrane::Instant now);

    veltrane::SettingsStore& m_settings;
    FocusSettings& m_focusSettings;
    QPointer<LocalDataStore> m_dataStore;
    QPointer<ThemeProvider> m_themeProvider;
    Services m_services;
    AnalyticsEngine m_analytics;
    FocusSessionEngine m_engine;
    std::unique_ptr<QTimer> m_ticker;

    SessionPhase m_phase = SessionPhase::idle;
    veltrane::Seconds m_remaining = 0;
    veltrane::Seconds m_elapsed = 0;
    double m_progress = 0;
    bool m_isRunning = false;
    bool m_isPaused = false;
    bool m_isExpanded = false;
    bool m_isHovered = false;
    bool m_suppressCollapse = false;
    veltrane::Size m_clampingOffset;
    veltrane::WidgetAnchor m_widgetAnchor;
    QString m_intention;
    QString m_currentSubject;
    std::optional<QUuid> m_activeTaskID;
    veltrane::Seconds m_focusSecondsToday = 0;
    int m_completedSessionsToday = 0;
    int m_streak = 0;
    std::optional<QString> m_bestHourLabel;
    std::optional<veltrane::Instant> m_goalNotifiedDay;
    bool m_isDemo = false;
    // The user's own session, put away while the demo runs.
    std::optional<FocusSessionEngine::SuspendedSession> m_sessionBeforeDemo;
    // The expansion waiting for the next turn of the event loop.
    veltrane::ScheduledTask m_pendingExpansion;
    // The refresh of today's figures at the next local midnight.
    veltrane::ScheduledTask m_dayChange;
    // When the idle stretch past the limit began, while the user is still away.
    std::optional<veltrane::Instant> m_awaySince;
    // When the screen locked a focus block, until it unlocks.
    std::optional<veltrane::Instant> m_lockedAt;
    std::optional<AwayNotice> m_awayNotice;
    // The start of the stretch the idle notice asks about.
    veltrane::Instant m_askedAwaySince = 0;
    // Shared with the delayed work so that it does nothing once the controller is gone.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

} // namespace moorlet

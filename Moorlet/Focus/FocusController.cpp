#include "Moorlet/Focus/FocusController.h"

#include "Moorlet/Focus/SessionRecords.h"

#include "Moorlet/Data/FocusSession.h"
#include "Moorlet/Data/LocalDataStore.h"
#include "Moorlet/Settings/FocusSettings.h"
#include "Moorlet/Theme/ThemeProvider.h"
#include "VeltraneKit/Audio/CuePlayer.h"
#include "VeltraneKit/Widget/QtOneShotScheduler.h"
#include "VeltraneKit/Audio/SdlAudioOutput.h"
#include "VeltraneKit/Audio/SoundEffects.h"
#include "VeltraneKit/Notifications/NotificationScheduling.h"
#include "VeltraneKit/System/ShortcutRunner.h"
#include "VeltraneKit/Theme/DesignTokens.h"
#include "VeltraneKit/Theme/TimeFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace moorlet {

namespace {

constexpr veltrane::Seconds kSecondsPerMinute = 60;

// Assigns `value` to `field` and emits `changed` only when it differs.
template <class T>
void assign(FocusController* controller, T& field, const T& value, void (FocusController::*changed)())
{
    if (field == value)
        return;
    field = value;
    emit(controller->*changed)();
}

std::string trimmed(const QString& text)
{
    return text.trimmed().toStdString();
}

// Fills in the real service for every one the caller left out.
FocusController::Services withDefaults(FocusController::Services services)
{
    if (!services.clock)
        services.clock = std::make_shared<veltrane::SystemClock>();
    if (!services.soundEffects)
        services.soundEffects = std::make_shared<veltrane::SoundEffects>(
            std::make_unique<veltrane::SdlAudioOutput>(), std::make_shared<veltrane::QtOneShotScheduler>());
    if (!services.runShortcut)
        services.runShortcut = [](const QString& name) { veltrane::ShortcutRunner::run(name); };
    if (!services.scheduler)
        services.scheduler = std::make_shared<veltrane::QtOneShotScheduler>();
    return services;
}

} // namespace

FocusController::FocusController(veltrane::SettingsStore& settings, FocusSettings& focusSettings,
    LocalDataStore* dataStore, Services services, SessionMode mode, QObject* parent)
    : QObject(parent)
    , m_settings(settings)
    , m_focusSettings(focusSettings)
    , m_dataStore(dataStore)
    , m_services(withDefaults(std::move(services)))
    , m_analytics(m_services.calendar)
    , m_engine(mode, true, 60, m_services.clock)
{
    // The engine lives inside the controller, so its callbacks can never outlive it.
    m_engine.onFocusPhaseEnded = [this](const CompletedFocusPhase& phase) { persist(phase); };
    m_engine.onPhaseChange = [this](SessionPhase phase) { announce(phase); };

    sync();
    refreshStats(false);
}

FocusController::~FocusController()
{
    *m_alive = false;
    m_engine.onFocusPhaseEnded = nullptr;
    m_engine.onPhaseChange = nullptr;
}

void FocusController::setSuppressCollapse(bool suppress)
{
    assign(this, m_suppressCollapse, suppress, &FocusController::suppressCollapseChanged);
}

void FocusController::setClampingOffset(veltrane::Size offset)
{
    assign(this, m_clampingOffset, offset, &FocusController::clampingOffsetChanged);
}

void FocusController::setWidgetAnchor(veltrane::WidgetAnchor anchor)
{
    assign(this, m_widgetAnchor, anchor, &FocusController::widgetAnchorChanged);
}

void FocusController::setIntention(const QString& intention)
{
    assign(this, m_intention, intention, &FocusController::intentionChanged);
}

void FocusController::setCurrentSubject(const QString& subject)
{
    assign(this, m_currentSubject, subject, &FocusController::currentSubjectChanged);
}

QString FocusController::loggedSubject() const
{
    return m_currentSubject.isEmpty() ? m_focusSettings.defaultSubject() : m_currentSubject;
}

void FocusController::setThemeProvider(ThemeProvider* provider)
{
    if (m_themeProvider == provider)
        return;
    if (m_themeProvider)
        disconnect(m_themeProvider, nullptr, this, nullptr);
    m_themeProvider = provider;
    if (provider)
        connect(provider, &ThemeProvider::accentChanged, this, [this] { emit accentChanged(); });
    emit accentChanged();
}

void FocusController::toggle()
{
    if (m_engine.phase() == SessionPhase::idle)
        m_engine.start();
    else if (m_engine.isPaused())
        m_engine.resume();
    else if (m_engine.isRunning())
        m_engine.pause();
    else
        m_engine.resume();
    startTicking();
    sync();
}

void FocusController::restartWithMode(const SessionMode& mode)
{
    m_engine.reset();
    m_engine.setMode(mode);
    stopTicking();
    sync();
    if (m_engine.phase() == SessionPhase::idle)
        toggle();
}

void FocusController::startFocus(int minutes)
{
    restartWithMode(SessionMode::pomodoro(PomodoroConfig(minutes * 60.0, 300, 900, 4)));
}

void FocusController::startDemo(veltrane::Seconds seconds)
{
    if (!m_isDemo && !m_sessionBeforeDemo && m_engine.isActive())
        m_sessionBeforeDemo = m_engine.suspend();
    restartWithMode(SessionMode::pomodoro(PomodoroConfig(seconds, 5, 900, 4)));
    // Set after the restart: the reset inside it is the demo's own start, not the user leaving it.
    m_isDemo = true;
}

void FocusController::startTicking()
{
    if (m_ticker)
        return;
    m_ticker = std::make_unique<QTimer>();
    m_ticker->setInterval(kTickIntervalMs);
    // A coarse timer lets the system batch wake-ups (about 5 % slack, within 0.1 s here).
    m_ticker->setTimerType(Qt::CoarseTimer);
    connect(m_ticker.get(), &QTimer::timeout, this, &FocusController::tickerFired);
    m_ticker->start();
}

void FocusController::stopTicking()
{
    // The timer may be the one firing right now: let the event loop delete it.
    if (auto* ticker = m_ticker.release()) {
        ticker->stop();
        ticker->deleteLater();
    }
}

void FocusController::tickerFired()
{
    // A block that runs out while its user is away (or has not yet answered for the time away)
    // waits at its end, paused, instead of completing behind their back.
    if (watchIdle() && m_engine.isRunning() && m_engine.timer().mode() == veltrane::TimerMode::countdown
        && m_engine.remaining() <= 0)
        m_engine.pause();
    m_engine.tick();
    sync();
    if (m_engine.phase() == SessionPhase::idle)
        stopTicking();
}

bool FocusController::watchIdle()
{
    const auto limit = m_focusSettings.awayQuestionMinutes() * kSecondsPerMinute;
    const bool watching = m_services.idleTime && limit > 0 && m_engine.phase() == SessionPhase::focusing;
    // Breaks and idle sessions ask the desktop nothing.
    const auto idle = watching ? m_services.idleTime() : std::nullopt;
    const bool asking = m_awayNotice && m_awayNotice->kind == AwayNotice::Kind::idle;
    if (!idle) {
        m_awaySince.reset();
        return asking;
    }
    const auto now = m_services.clock->now();
    if (!m_awaySince) {
        // Only time that counts as focus can be asked about; a new stretch waits for the answer.
        // A user already away when the block began (it followed a break on its own) is asked
        // only about the block's own time.
        if (*idle >= limit && m_engine.isRunning() && !asking)
            m_awaySince = now - std::min(*idle, m_engine.elapsed());
        return asking || m_awaySince.has_value();
    }
    if (*idle >= limit)
        return true;
    // Input again: the stretch ended at that input.
    const auto returnedAt = now - *idle;
    m_askedAwaySince = *std::exchange(m_awaySince, std::nullopt);
    setAwayNotice(AwayNotice { AwayNotice::Kind::idle, returnedAt - m_askedAwaySince });
    setExpanded(true);
    return true;
}

void FocusController::handleScreenLock()
{
    if (!m_focusSettings.pauseOnLock() || m_engine.phase() != SessionPhase::focusing || !m_engine.isRunning())
        return;
    m_lockedAt = m_services.clock->now();
    m_engine.pause();
    sync();
}

void FocusController::handleScreenUnlock()
{
    if (!m_lockedAt)
        return;
    const auto away = m_services.clock->now() - *std::exchange(m_lockedAt, std::nullopt);
    if (!m_engine.isPaused() || m_engine.phase() != SessionPhase::focusing)
        return;
    // An idle question already waiting covers the time before the lock and is answered first.
    if (!m_awayNotice)
        setAwayNotice(AwayNotice { AwayNotice::Kind::locked, away });
    setExpanded(true);
}

void FocusController::keepAwayTime()
{
    if (!m_awayNotice || m_awayNotice->kind != AwayNotice::Kind::idle)
        return;
    setAwayNotice(std::nullopt);
    // The user is back and counts the time: a block that waited at its end completes now.
    if (m_engine.isPaused() && m_engine.timer().mode() == veltrane::TimerMode::countdown && m_engine.remaining() <= 0) {
        m_engine.resume();
        m_engine.tick();
    }
    sync();
}

void FocusController::dropAwayTime()
{
    if (!m_awayNotice || m_awayNotice->kind != AwayNotice::Kind::idle)
        return;
    setAwayNotice(std::nullopt);
    m_engine.pauseAsOf(m_askedAwaySince);
    sync();
}

void FocusController::resumeAfterAway()
{
    setAwayNotice(std::nullopt);
    m_engine.resume();
    sync();
}

void FocusController::setAwayNotice(std::optional<AwayNotice> notice)
{
    assign(this, m_awayNotice, notice, &FocusController::awayNoticeChanged);
}

void FocusController::forgetAway()
{
    m_awaySince.reset();
    m_lockedAt.reset();
    setAwayNotice(std::nullopt);
}

void FocusController::sync()
{
    // Every way into a phase ends here (a start, a skip from the card, the tray or the command
    // line, a quick start, the demo, a wake). A phase with no ticker would never end, so one is
    // started here whatever path led to the phase.
    if (m_engine.isActive())
        startTicking();
    // Resumed from the card's play button, the tray or the hot key: the lock notice has done its job.
    if (m_awayNotice && m_awayNotice->kind == AwayNotice::Kind::locked && m_engine.isRunning())
        setAwayNotice(std::nullopt);
    const auto previousAccent = accent();
    assign(this, m_phase, m_engine.phase(), &FocusController::phaseChanged);
    assign(this, m_remaining, m_engine.remaining(), &FocusController::remainingChanged);
    assign(this, m_elapsed, m_engine.elapsed(), &FocusController::elapsedChanged);
    assign(this, m_progress, m_engine.progress(), &FocusController::progressChanged);
    assign(this, m_isRunning, m_engine.isRunning(), &FocusController::isRunningChanged);
    assign(this, m_isPaused, m_engine.isPaused(), &FocusController::isPausedChanged);
    if (accent() != previousAccent)
        emit accentChanged();
}

void FocusController::persist(const CompletedFocusPhase& phase)
{
    if (m_isDemo || !m_dataStore)
        return;

    std::optional<std::string> subject;
    if (const QString tag = loggedSubject(); !tag.isEmpty())
        subject = tag.toStdString();

    std::optional<std::string> intention;
    if (auto text = trimmed(m_intention); !text.empty())
        intention = std::move(text);

    FocusSession session;
    session.startDate = phase.startDate;
    session.duration = phase.duration;
    session.mode = phase.mode;
    session.completed = phase.completed;
    session.subjectTag = std::move(subject);
    session.intention = std::move(intention);
    m_dataStore->addSession(session);

    if (m_activeTaskID)
        m_dataStore->logTime(phase.duration, *m_activeTaskID);
    refreshStats(true);
}

void FocusController::refreshStats(bool announceGoal)
{
    if (!m_dataStore)
        return;
    const auto records = recordsOf(m_dataStore->sessions());
    const auto now = m_services.clock->now();

    assign(this, m_focusSecondsToday, m_analytics.focus(now, records), &FocusController::focusSecondsTodayChanged);
    assign(this, m_completedSessionsToday, m_analytics.completedCount(now, records),
        &FocusController::completedSessionsTodayChanged);
    assign(this, m_streak, m_analytics.currentStreak(records, now, dailyGoalSeconds().value_or(0)),
        &FocusController::streakChanged);
    std::optional<QString> label;
    if (auto best = m_analytics.bestHourLabel(records))
        label = QString::fromStdString(*best);
    assign(this, m_bestHourLabel, label, &FocusController::bestHourLabelChanged);

    notifyGoalReachedIfNeeded(now, announceGoal);
    armDayChange(now);
}

void FocusController::armDayChange(veltrane::Instant now)
{
    // One timer to the next local midnight (a daylight-saving day is 23 or 25 hours long). The
    // wait is measured from the clock at every refresh, so a timer that fires while the clock
    // still shows the old day (it was set back) only re-arms for what is left of that day.
    m_dayChange.cancel();
    const auto nextDay = m_services.calendar.endOfDay(m_services.calendar.dayNumber(now));
    if (!(nextDay > now))
        return;
    m_dayChange = m_services.scheduler->schedule(nextDay - now, [this, alive = std::weak_ptr<bool>(m_alive)] {
        if (!alive.expired())
            refreshStats(false);
    });
}

std::optional<veltrane::Seconds> FocusController::dailyGoalSeconds() const
{
    const double minutes = m_focusSettings.dailyGoalMinutes();
    // A goal that is not a finite number, or has more minutes than an int holds, cannot be
    // turned into whole minutes for the notice: it counts as no goal at all.
    if (!std::isfinite(minutes) || minutes >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::nullopt;
    const double seconds = minutes * 60;
    if (seconds <= 0)
        return std::nullopt;
    return seconds;
}

void FocusController::notifyGoalReachedIfNeeded(veltrane::Instant now, bool announce)
{
    const auto goal = dailyGoalSeconds();
    if (!goal || m_focusSecondsToday < *goal)
        return;
    const auto today = m_services.calendar.startOfDay(now);
    if (m_goalNotifiedDay == today)
        return;
    // Marked whether or not it is announced: a goal already reached at launch stays quiet that day.
    m_goalNotifiedDay = today;
    if (!announce)
        return;
    const int minutes = static_cast<int>(m_focusSettings.dailyGoalMinutes());
    const auto body = QStringLiteral("You hit %1 minutes of focus today.").arg(minutes).toStdString();
    if (m_services.notifications)
        m_services.notifications->notify("Daily goal reached", body);
    playCue(veltrane::SoundEffect::goal);
}

void FocusController::post(const char* title, const char* body)
{
    if (m_services.notifications)
        m_services.notifications->notify(title, body);
}

void FocusController::playCue(veltrane::SoundEffect effect)
{
    if (m_focusSettings.soundEffectsEnabled() && m_services.soundEffects)
        m_services.soundEffects->play(effect);
}

void FocusController::announce(SessionPhase newPhase)
{
    // The mirror still holds the phase before this change: sync() runs after the engine call.
    const auto previous = m_phase;
    // Time away belongs to the block it was taken from.
    forgetAway();
    if (isBreak(newPhase)) {
        if (previous == SessionPhase::focusing) {
            post("Focus complete", "Nice work. Time for a break.");
            playCue(veltrane::SoundEffect::focusEnd);
        }
    } else if (newPhase == SessionPhase::focusing) {
        if (isBreak(previous)) {
            post("Break's over", "Back to focus.");
            playCue(veltrane::SoundEffect::breakEnd);
        } else if (previous == SessionPhase::idle) {
            playCue(veltrane::SoundEffect::focusStart);
        }
    }
    if (onPhaseChanged)
        onPhaseChanged(newPhase);
    applyFocusShortcuts(previous, newPhase);
    endDemoIfNeeded(newPhase);
}

void FocusController::applyFocusShortcuts(SessionPhase previous, SessionPhase newPhase)
{
    if (!m_focusSettings.autoShortcutsEnabled())
        return;
    if (newPhase == SessionPhase::focusing && previous != SessionPhase::focusing)
        m_services.runShortcut(m_focusSettings.focusShortcutName());
    else if (newPhase != SessionPhase::focusing && previous == SessionPhase::focusing)
        m_services.runShortcut(m_focusSettings.breakShortcutName());
}

void FocusController::endDemoIfNeeded(SessionPhase newPhase)
{
    if (!m_isDemo)
        return;
    // Reset, a quick start or a mode change ended the demo before its break: once the current
    // command is done, the timer goes back to the user. A demo that reached its break does so
    // after its celebration.
    if (newPhase == SessionPhase::idle)
        handBackAfterDemo(0);
    else if (isBreak(newPhase))
        handBackAfterDemo(kDemoEndDelay);
}

// Whatever runs from now on is the user's own and is logged. After `delay` the mode from the
// settings and the session from before the demo come back, unless the user has started a block
// (or another demo) meanwhile: that block is theirs to keep, and replaces the earlier session.
void FocusController::handBackAfterDemo(veltrane::Seconds delay)
{
    m_isDemo = false;
    m_services.scheduler->schedule(delay, [this, alive = std::weak_ptr<bool>(m_alive)] {
        if (alive.expired() || m_isDemo)
            return;
        if (m_engine.phase() == SessionPhase::focusing) {
            m_sessionBeforeDemo.reset();
            return;
        }
        m_engine.reset();
        m_engine.setMode(m_focusSettings.sessionMode());
        stopTicking();
        sync();
        if (auto session = std::exchange(m_sessionBeforeDemo, std::nullopt)) {
            m_engine.restore(std::move(*session));
            startTicking();
            sync();
        }
    });
}

void FocusController::setExpanded(bool expanded)
{
    if (expanded) {
        if (m_isExpanded || m_pendingExpansion.isPending())
            return;
        // The shell grows the panel first; the card appears on the next turn of the event loop.
        if (onExpandedChange)
            onExpandedChange(true);
        m_pendingExpansion = m_services.scheduler->schedule(0, [this, alive = std::weak_ptr<bool>(m_alive)] {
            if (!alive.expired())
                assign(this, m_isExpanded, true, &FocusController::isExpandedChanged);
        });
        return;
    }
    // A collapse before the deferred expansion landed cancels it, and the panel shrinks back.
    const bool wasExpanding = m_pendingExpansion.isPending();
    m_pendingExpansion.cancel();
    if (!m_isExpanded && !wasExpanding)
        return;
    assign(this, m_isExpanded, false, &FocusController::isExpandedChanged);
    if (onExpandedChange)
        onExpandedChange(false);
}

void FocusController::setHovered(bool hovered)
{
    if (hovered == m_isHovered)
        return;
    m_isHovered = hovered;
    emit isHoveredChanged();
    if (onHoveredChange)
        onHoveredChange(hovered);
}

void FocusController::setActiveTask(const std::optional<FocusTask>& task)
{
    std::optional<QUuid> id;
    if (task)
        id = task->id;
    assign(this, m_activeTaskID, id, &FocusController::activeTaskIDChanged);
    setCurrentSubject(task ? QString::fromStdString(task->title) : QString());
}

QString FocusController::displayTime() const
{
    const bool countingUp = m_phase == SessionPhase::focusing && m_remaining == 0 && m_elapsed > 0;
    return QString::fromStdString(veltrane::TimeFormat::clock(countingUp ? m_elapsed : m_remaining));
}

QString FocusController::focusTodayLabel() const
{
    const auto minutes = static_cast<long long>(m_focusSecondsToday / 60);
    if (minutes >= 60)
        return QString::asprintf("%lldh %02lldm", minutes / 60, minutes % 60);
    return QStringLiteral("%1m").arg(minutes);
}

QString FocusController::goalLabel() const
{
    const auto goal = dailyGoalSeconds();
    const int minutes = goal ? static_cast<int>(m_focusSettings.dailyGoalMinutes()) : 0;
    return focusTodayLabel() + QStringLiteral(" / %1m").arg(minutes);
}

double FocusController::goalProgress() const
{
    const auto goal = dailyGoalSeconds();
    if (!goal)
        return 0;
    return std::min(1.0, m_focusSecondsToday / *goal);
}

QString FocusController::primaryIcon() const
{
    if (m_phase == SessionPhase::idle)
        return QStringLiteral("play.fill");
    return m_isRunning ? QStringLiteral("pause.fill") : QStringLiteral("play.fill");
}

QColor FocusController::accent() const
{
    if (m_themeProvider)
        return m_themeProvider->accent(m_phase);
    if (isBreak(m_phase))
        return veltrane::DesignTokens::Colors::breakPhase();
    if (m_phase == SessionPhase::focusing)
        return veltrane::DesignTokens::Colors::focus();
    return veltrane::DesignTokens::Colors::idle();
}

} // namespace moorlet


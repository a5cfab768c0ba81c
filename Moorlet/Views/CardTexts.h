#pragma once

#include "MoorletCore/SessionPhase.h"
#include "VeltraneKit/Time/Clock.h"

#include <QString>
#include <QStringList>

// The words the widget shows, in one place.
namespace moorlet::CardTexts {

// Under the collapsed tile's time: "Ready", "Focus", "Break", "Long break".
QString tilePhaseWord(SessionPhase phase);
// The card's header title before upper-casing: "Ready", "Focus", "Short break", "Long break".
QString cardPhaseTitle(SessionPhase phase);
// The mood mascot's symbol: "pause.fill" while paused, else one per phase.
QString mascotSymbol(SessionPhase phase, bool paused);
// The cheer line's phrases for the state, in the order they rotate.
QStringList cheerPhrases(SessionPhase phase, bool paused);

// A task's logged time: whole minutes (truncated) as "59m focused", from an hour on as
// "1h 1m focused". Anything that is not a positive number counts as no time.
QString taskTimeLabel(veltrane::Seconds seconds);
// A deadline `days` calendar days away: "Past due", "Today", "Tomorrow" or "in N days".
QString deadlineCountdown(int days);
// The insight row: "You focus best around " and the best hour's label.
QString bestHourInsight(const QString& label);
// "Open " + the player's name + " and control it from here".
QString openPlayerPrompt(const QString& playerName);
// The context-menu entry that removes an imported sound: "Remove “NAME”".
QString removeSoundAction(const QString& soundName);

inline const QString kNoActiveTask = QStringLiteral("Pick a task to focus on");
inline const QString kAddTaskPrompt = QStringLiteral("Add a task");
inline const QString kNoTasks = QStringLiteral("No tasks yet. Add what you want to get done, then pick one to focus on.");
inline const QString kClearCompleted = QStringLiteral("Clear completed");
inline const QString kNoSubject = QStringLiteral("No subject");
inline const QString kAddSubjectPrompt = QStringLiteral("Add subject…");
// Beside the settings' default subject in the subject menu.
inline const QString kDefaultSubjectNote = QStringLiteral("default");
// The card's intention line while no intention is set, and the intention field's prompt.
inline const QString kNoIntention = QStringLiteral("Set an intention");
inline const QString kIntentionPrompt = QStringLiteral("What will you get done?");
inline const QString kIntentionKeys = QStringLiteral("Return keeps it, Esc skips");
inline const QString kFocusToday = QStringLiteral("Focus today");
inline const QString kSessions = QStringLiteral("Sessions");
inline const QString kDailyGoal = QStringLiteral("Daily goal");
inline const QString kNotPlaying = QStringLiteral("Not playing");
inline const QString kImportSounds = QStringLiteral("MP3");
inline const QString kSessionComplete = QStringLiteral("Session complete");
inline const QString kDailyGoalReached = QStringLiteral("Daily goal reached");

} // namespace moorlet::CardTexts

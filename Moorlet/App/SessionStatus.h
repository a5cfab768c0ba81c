#pragma once

#include <QJsonObject>
#include <QString>

namespace moorlet {

class FocusController;

// What `moorlet --status` prints: the running session and today's figures as one JSON object,
// for status bars and scripts. Keys (stable, documented in the README):
//   phase            "idle", "focusing", "shortBreak" or "longBreak"
//   running, paused  the phase's timer state
//   displayTime      the time the widget shows ("24:13"; it counts up in a Flowmodoro block)
//   remaining        seconds left in the phase (0 while a Flowmodoro block counts up)
//   elapsed          seconds spent in the phase
//   progress         the phase's progress from 0 to 1
//   focusToday       today's focus time as shown ("1h 05m"); focusTodaySeconds in seconds
//   sessionsToday    focus blocks completed today
//   goal             today's focus against the daily goal ("45m / 120m"); goalProgress 0 to 1
//   streak           days in a row the daily goal was reached
namespace SessionStatus {

QJsonObject object(const FocusController& controller);
// The object as compact JSON text, without a line break.
QString line(const FocusController& controller);
QString line(const QJsonObject& status);

} // namespace SessionStatus

} // namespace moorlet

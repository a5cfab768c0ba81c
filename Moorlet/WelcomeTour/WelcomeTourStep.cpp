#include "Moorlet/WelcomeTour/WelcomeTourStep.h"

namespace moorlet {

const std::vector<WelcomeTourStep>& WelcomeTourStep::all()
{
    static const std::vector<WelcomeTourStep> steps {
        {
            QStringLiteral("sidebar.right"),
            QColor::fromRgbF(0.43f, 0.42f, 1.0f),
            QStringLiteral("Meet your focus widget"),
            QStringLiteral("Moorlet lives as a small tile docked to the side of your screen. Always "
                           "there, never in the way. Hover it to peek, click to expand, drag it "
                           "anywhere to re-dock."),
            {},
        },
        {
            QStringLiteral("play.circle.fill"),
            QColor::fromRgbF(0.2f, 0.7f, 0.45f),
            QStringLiteral("Focus on one task"),
            QStringLiteral("The whole idea: pick one thing, focus, then rest. The loop:"),
            {
                QStringLiteral("Label the session with a task or subject (#Writing, #Math…)"),
                QStringLiteral("Set a one-line intention, what you'll get done"),
                QStringLiteral("Hit play. Focus runs, then a break begins automatically"),
                QStringLiteral("Repeat. Each finished block builds your streak"),
            },
        },
        {
            QStringLiteral("speaker.wave.2.fill"),
            QColor::fromRgbF(0.25f, 0.55f, 0.95f),
            QStringLiteral("Sound that sets the mood"),
            // Any player that speaks the desktop's media protocol can be controlled, so the text
            // names none.
            QStringLiteral("Turn on an ambient scene like rain, ocean or a stream. It auto-plays "
                           "while you focus and pauses on breaks. Playing something in your music "
                           "player? Control it right from the card. All offline."),
            {},
        },
        {
            QStringLiteral("flame.fill"),
            QColor::fromRgbF(1.0f, 0.55f, 0.25f),
            QStringLiteral("Build the habit"),
            QStringLiteral("Hit your daily goal to grow a streak. Insights shows where your time "
                           "goes and when you focus best, and you can share a recap card in one "
                           "tap."),
            {},
        },
        {
            QStringLiteral("sparkles"),
            QColor::fromRgbF(0.85f, 0.35f, 0.75f),
            QStringLiteral("Try it for 25 seconds"),
            QStringLiteral("Best way to get it: feel it. Start a 25-second demo focus and watch a "
                           "session land, confetti and all. Your real timer is untouched."),
            {},
        },
    };
    return steps;
}

} // namespace moorlet

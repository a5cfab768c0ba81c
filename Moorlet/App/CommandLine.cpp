#include "Moorlet/App/CommandLine.h"

#include <QCommandLineParser>

#include <array>
#include <utility>

namespace moorlet {

namespace {

struct ControlOption {
    const char* name;
    AppCommand command;
    const char* description;
};

constexpr std::array kControlOptions {
    ControlOption { "toggle", AppCommand::toggle, "Start focus, or pause or resume the running phase." },
    ControlOption { "skip", AppCommand::skip, "End the current phase and move on to the next one." },
    ControlOption { "reset", AppCommand::reset, "Stop the session and return to idle." },
    ControlOption { "status", AppCommand::status,
        "Print the session and today's figures as one line of JSON." },
};

// The width of the option column in the help text.
constexpr auto kOptionColumn = 14;

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({ QStringLiteral("h"), QStringLiteral("help") }, QString());
    const QCommandLineOption version({ QStringLiteral("v"), QStringLiteral("version") }, QString());
    parser.addOption(help);
    parser.addOption(version);
    for (const auto& option : kControlOptions)
        parser.addOption(QCommandLineOption(QString::fromLatin1(option.name), QString()));

    CommandLine result;
    const auto fail = [&result](QString error) {
        result.m_outcome = Outcome::invalid;
        result.m_error = std::move(error);
        return result;
    };
    // An empty list still needs a program name for the parser to skip.
    if (!parser.parse(arguments.isEmpty() ? QStringList { QStringLiteral("moorlet") } : arguments))
        return fail(parser.errorText() + QLatin1Char('.'));
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument \"%1\".").arg(parser.positionalArguments().first()));
    if (parser.isSet(help)) {
        result.m_outcome = Outcome::showHelp;
        return result;
    }
    if (parser.isSet(version)) {
        result.m_outcome = Outcome::showVersion;
        return result;
    }

    int given = 0;
    for (const auto& option : kControlOptions) {
        if (!parser.isSet(QString::fromLatin1(option.name)))
            continue;
        ++given;
        result.m_command = option.command;
    }
    if (given > 1)
        return fail(QStringLiteral("Give only one of --toggle, --skip, --reset and --status."));
    return result;
}

QString CommandLine::helpText()
{
    QString text = QStringLiteral(
        "Usage: moorlet [--toggle | --skip | --reset | --status]\n"
        "\n"
        "Moorlet is a focus timer that floats at the edge of the screen. Started without an\n"
        "option it runs in the background; starting it again shows the running widget.\n"
        "\n"
        "The options control the Moorlet that is already running, for keyboard shortcuts set in\n"
        "the desktop's settings (on Wayland the only way to a system-wide key) and for status bars:\n"
        "\n");
    for (const auto& option : kControlOptions)
        text += QStringLiteral("  %1%2\n")
                    .arg(QStringLiteral("--%1").arg(QString::fromLatin1(option.name)).leftJustified(kOptionColumn),
                        QString::fromLatin1(option.description));
    text += QStringLiteral(
        "  -h, --help      Print this help.\n"
        "  -v, --version   Print the version.\n"
        "\n"
        "Exit status: 0 on success; %1 when no Moorlet is running (nothing is started) or it did\n"
        "not answer; %2 for a command line that cannot be understood.\n")
                .arg(kExitNotRunning)
                .arg(kExitUsage);
    return text;
}

} // namespace moorlet

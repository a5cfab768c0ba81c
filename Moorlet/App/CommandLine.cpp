#include "Moorlet/App/CommandLine.h"

#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

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

// Qt's parser already ends its messages with a full stop; ours are written as sentences too.
QString sentence(QString text)
{
    text = text.trimmed();
    if (!text.isEmpty() && !text.endsWith(QLatin1Char('.')) && !text.endsWith(QLatin1Char('?'))
        && !text.endsWith(QLatin1Char('!')))
        text += QLatin1Char('.');
    return text;
}

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
    const QCommandLineOption follow(QStringLiteral("follow"), QString());
    parser.addOption(follow);

    CommandLine result;
    const auto fail = [&result](QString error) {
        result.m_outcome = Outcome::invalid;
        result.m_error = std::move(error);
        return result;
    };
    // An empty list still needs a program name for the parser to skip.
    if (!parser.parse(arguments.isEmpty() ? QStringList { QStringLiteral("moorlet") } : arguments))
        return fail(sentence(parser.errorText()));
    if (!parser.positionalArguments().isEmpty())
        return fail(QStringLiteral("Unexpected argument '%1'.").arg(parser.positionalArguments().first()));
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
    result.m_follow = parser.isSet(follow);
    if (result.m_follow && result.m_command != AppCommand::status)
        return fail(QStringLiteral("--follow goes with --status only."));
    return result;
}

QString CommandLine::helpText()
{
    QString text = QStringLiteral(
        "Usage: moorlet [--toggle | --skip | --reset | --status [--follow]]\n"
        "\n"
        "Moorlet is a focus timer that floats at the edge of the screen. Started without an\n"
        "option it runs in the background; starting it again shows the running widget.\n"
        "\n"
        "The options control the Moorlet that is already running, for keyboard shortcuts set in\n"
        "the desktop's settings (on Wayland the only way to a system-wide key) and for status bars:\n"
        "\n");
    std::vector<std::pair<QString, QString>> rows;
    for (const auto& option : kControlOptions)
        rows.emplace_back(QStringLiteral("--") + QLatin1String(option.name), QLatin1String(option.description));
    rows.emplace_back(QStringLiteral("--status --follow"),
        QStringLiteral("Print that line now and again on every change, until Moorlet quits."));
    rows.emplace_back(QStringLiteral("-h, --help"), QStringLiteral("Print this help."));
    rows.emplace_back(QStringLiteral("-v, --version"), QStringLiteral("Print the version."));
    // Every description starts in one column, two spaces after the longest option.
    qsizetype column = 0;
    for (const auto& row : rows)
        column = std::max(column, row.first.size() + 2);
    for (const auto& [option, description] : rows)
        text += QStringLiteral("  ") + option.leftJustified(column) + description + QLatin1Char('\n');
    text += QStringLiteral(
        "\n"
        "Exit status: 0 on success; %1 when no Moorlet is running (nothing is started) or it did\n"
        "not answer; %2 for a command line that cannot be understood.\n")
                .arg(kExitNotRunning)
                .arg(kExitUsage);
    return text;
}

QString CommandLine::undeliveredText(const SingleInstance::Reply& reply)
{
    using Status = SingleInstance::Reply::Status;
    switch (reply.status) {
    case Status::answered:
        return {};
    case Status::notRunning:
        return QStringLiteral("Moorlet is not running. Start it with 'moorlet'.\n");
    case Status::noBus:
        return QStringLiteral("moorlet: there is no D-Bus session bus, so the running Moorlet cannot be reached.\n");
    case Status::failed:
        // The bus's reason is a sentence or more of its own.
        return (QStringLiteral("moorlet: the running Moorlet did not answer. ") + sentence(reply.text)).trimmed()
            + QLatin1Char('\n');
    }
    return {};
}

} // namespace moorlet

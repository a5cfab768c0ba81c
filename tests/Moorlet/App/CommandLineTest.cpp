#include "Moorlet/App/CommandLine.h"

#include <gtest/gtest.h>

using namespace moorlet;

namespace {

CommandLine parse(std::initializer_list<const char*> options)
{
    QStringList arguments { QStringLiteral("/opt/moorlet/bin/moorlet") };
    for (const auto* option : options)
        arguments.append(QString::fromUtf8(option));
    return CommandLine::parse(arguments);
}

} // namespace

TEST(CommandLineTest, NoOptionLaunchesTheApplication)
{
    EXPECT_EQ(parse({}).command(), AppCommand::launch);
    // A launcher that passes no program name at all still launches.
    EXPECT_EQ(CommandLine::parse({}).command(), AppCommand::launch);
}

TEST(CommandLineTest, EachControlOptionSelectsItsCommandInEitherSpelling)
{
    const std::pair<const char*, AppCommand> cases[] = {
        { "--toggle", AppCommand::toggle },
        { "--skip", AppCommand::skip },
        { "--reset", AppCommand::reset },
        { "--status", AppCommand::status },
        // Single-dash words are read as long options, as many desktop shortcut editors write them.
        { "-toggle", AppCommand::toggle },
        { "-status", AppCommand::status },
    };
    for (const auto& [option, command] : cases) {
        const auto line = parse({ option });
        EXPECT_EQ(line.outcome(), CommandLine::Outcome::run) << option;
        EXPECT_EQ(line.command(), command) << option;
    }
}

TEST(CommandLineTest, ConflictingUnknownAndStrayArgumentsAreRefusedWithTheirName)
{
    // Repeating the same option is one request.
    EXPECT_EQ(parse({ "--skip", "--skip" }).command(), AppCommand::skip);
    const std::vector<std::pair<std::vector<const char*>, const char*>> cases {
        { { "--toggle", "--reset" }, "only one" },
        { { "--start" }, "start" },
        { { "--toggle", "now" }, "now" },
        // A value given to an option that takes none.
        { { "--status=json" }, "" },
    };
    for (const auto& [options, named] : cases) {
        QStringList arguments { QStringLiteral("moorlet") };
        for (const auto* option : options)
            arguments.append(QString::fromUtf8(option));
        const auto line = CommandLine::parse(arguments);
        EXPECT_EQ(line.outcome(), CommandLine::Outcome::invalid) << named;
        EXPECT_TRUE(line.error().contains(QString::fromUtf8(named))) << line.error().toStdString();
    }
}

TEST(CommandLineTest, HelpAndVersionWinOverRequests)
{
    EXPECT_EQ(parse({ "-h" }).outcome(), CommandLine::Outcome::showHelp);
    EXPECT_EQ(parse({ "--toggle", "--help" }).outcome(), CommandLine::Outcome::showHelp);
    EXPECT_EQ(parse({ "--skip", "-v" }).outcome(), CommandLine::Outcome::showVersion);
}

TEST(CommandLineTest, HelpNamesEveryOptionAndTheExitCodes)
{
    const auto help = CommandLine::helpText();
    for (const auto* option : { "--toggle", "--skip", "--reset", "--status", "--help", "--version" })
        EXPECT_TRUE(help.contains(QString::fromLatin1(option))) << option;
    EXPECT_TRUE(help.contains(QStringLiteral("%1 when no Moorlet is running").arg(CommandLine::kExitNotRunning)));
    for (const auto& line : help.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 100) << line.toStdString();
}

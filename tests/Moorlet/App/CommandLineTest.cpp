#include "Moorlet/App/CommandLine.h"

#include <gtest/gtest.h>

#include <utility>

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

TEST(CommandLineTest, EachOptionSelectsItsCommandInEitherSpellingAndHelpAndVersionWin)
{
    const std::pair<const char*, AppCommand> cases[] = {
        { "--toggle", AppCommand::toggle },
        { "--skip", AppCommand::skip },
        { "--reset", AppCommand::reset },
        { "--status", AppCommand::status },
        // Single-dash words are read as long options, as many desktop shortcut editors write them.
        { "-toggle", AppCommand::toggle },
    };
    for (const auto& [option, command] : cases) {
        const auto line = parse({ option });
        EXPECT_EQ(line.outcome(), CommandLine::Outcome::run) << option;
        EXPECT_EQ(line.command(), command) << option;
        EXPECT_FALSE(line.follow()) << option;
    }
    EXPECT_TRUE(parse({ "--follow", "--status" }).follow());
    EXPECT_EQ(parse({}).command(), AppCommand::launch);
    // A launcher that passes no program name at all still launches.
    EXPECT_EQ(CommandLine::parse({}).command(), AppCommand::launch);
    // Help and version win over requests.
    EXPECT_EQ(parse({ "-h" }).outcome(), CommandLine::Outcome::showHelp);
    EXPECT_EQ(parse({ "--toggle", "--help" }).outcome(), CommandLine::Outcome::showHelp);
    EXPECT_EQ(parse({ "--skip", "-v" }).outcome(), CommandLine::Outcome::showVersion);
}

TEST(CommandLineTest, ConflictingUnknownAndStrayArgumentsAreRefusedInOneSentence)
{
    // Repeating the same option is one request.
    EXPECT_EQ(parse({ "--skip", "--skip" }).command(), AppCommand::skip);
    const std::pair<QStringList, const char*> cases[] = {
        { { "--toggle", "--reset" }, "Give only one of --toggle, --skip, --reset and --status." },
        { { "--bogus", "-x" }, "Unknown options: bogus, x." },
        { { "--toggle", "now" }, "Unexpected argument 'now'." },
        { { "--toggle", "--follow" }, "--follow goes with --status only." },
    };
    for (const auto& [options, error] : cases) {
        const auto line = CommandLine::parse(QStringList { QStringLiteral("moorlet") } + options);
        EXPECT_EQ(line.outcome(), CommandLine::Outcome::invalid) << error;
        EXPECT_EQ(line.error().toStdString(), error);
    }
}

// The detail a failed request brings is told as a sentence of its own.
TEST(CommandLineTest, AnUndeliveredRequestIsExplainedInWholeSentences)
{
    const std::pair<const char*, const char*> cases[] = {
        { "No reply.", "moorlet: the running Moorlet did not answer. No reply.\n" },
        { "Access denied", "moorlet: the running Moorlet did not answer. Access denied.\n" },
        { "", "moorlet: the running Moorlet did not answer.\n" },
    };
    for (const auto& [detail, text] : cases) {
        const SingleInstance::Reply reply { SingleInstance::Reply::Status::failed, QString::fromUtf8(detail) };
        EXPECT_EQ(CommandLine::undeliveredText(reply).toStdString(), text);
    }
}

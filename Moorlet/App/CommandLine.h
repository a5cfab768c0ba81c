#pragma once

#include "Moorlet/App/AppCommand.h"
#include "Moorlet/App/SingleInstance.h"

#include <QString>
#include <QStringList>

namespace moorlet {

// The program's command line: no option starts the application; --toggle, --skip, --reset and
// --status control the instance that runs (at most one of them; --follow keeps --status
// printing); --help and --version print and exit. Parsing never prints and never exits: main() acts on the outcome.
class CommandLine {
public:
    enum class Outcome {
        // `command` says what to do.
        run,
        showHelp,
        showVersion,
        // `error` says what is wrong, in one sentence.
        invalid,
    };

    // The exit codes of the program, documented in the help text.
    static constexpr int kExitSuccess = 0;
    // A request found no running instance, or the instance could not be reached.
    static constexpr int kExitNotRunning = 1;
    static constexpr int kExitUsage = 2;

    // `arguments` includes the program name first, as QCoreApplication::arguments() does.
    static CommandLine parse(const QStringList& arguments);

    // The text --help prints.
    static QString helpText();
    // The line printed on standard error when a request did not reach the running instance
    // (empty when it was answered).
    static QString undeliveredText(const SingleInstance::Reply& reply);

    Outcome outcome() const { return m_outcome; }
    AppCommand command() const { return m_command; }
    // --status --follow: a line on every change instead of one line.
    bool follow() const { return m_follow; }
    const QString& error() const { return m_error; }

private:
    Outcome m_outcome = Outcome::run;
    AppCommand m_command = AppCommand::launch;
    bool m_follow = false;
    QString m_error;
};

} // namespace moorlet

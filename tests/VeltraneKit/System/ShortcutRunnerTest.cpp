#include "VeltraneKit/System/ShortcutRunner.h"

#include "tests/VeltraneKit/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace veltrane;
using testsupport::waitUntil;

namespace {

class ShortcutRunnerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(root.path()).mkpath(QStringLiteral("shortcuts/sub")));
        folder = root.filePath(QStringLiteral("shortcuts"));
        log = root.filePath(QStringLiteral("ran.log"));
        pwned = root.filePath(QStringLiteral("pwned"));
        // A name that reached a shell would touch this file.
        qputenv("PWNED", pwned.toLocal8Bit());
    }

    // An automation that appends its own path and arguments to the log.
    void addAutomation(const QString& relativePath, bool executable = true)
    {
        ASSERT_TRUE(veltrane::testing::writeBytes(QDir(root.path()).filePath(relativePath),
            QStringLiteral("#!/bin/sh\necho \"$0|$#\" >> '%1'\n").arg(log).toUtf8(), executable));
    }

    QStringList logLines() const { return veltrane::testing::readText(log).split(QLatin1Char('\n'), Qt::SkipEmptyParts); }

    QString ranLine(const QString& name) const { return QDir(folder).filePath(name) + QStringLiteral("|0"); }

    testsupport::TemporaryFolder root;
    QString folder;
    QString log;
    QString pwned;
};

TEST_F(ShortcutRunnerTest, BlankMissingHiddenOutsideAndNonExecutableNamesRunNothing)
{
    addAutomation(QStringLiteral("shortcuts/.hidden"));
    addAutomation(QStringLiteral("shortcuts/sub/inner"));
    addAutomation(QStringLiteral("outside"));
    addAutomation(QStringLiteral("shortcuts/not executable"), false);

    for (const QString& name : { QStringLiteral("   \n\t"), QStringLiteral("missing"),
             QStringLiteral("  .hidden"), QStringLiteral("sub/inner"), QStringLiteral("../outside"),
             QStringLiteral(".."), QStringLiteral("not executable") }) {
        EXPECT_FALSE(ShortcutRunner::run(name, folder)) << name.toStdString();
    }
    EXPECT_FALSE(ShortcutRunner::run(QStringLiteral("outside"), QString()));
}

// The name is trimmed; shell characters in it are just part of the file name.
TEST_F(ShortcutRunnerTest, RunsTheAutomationNamedByTheTrimmedNameWhateverCharactersItHolds)
{
    const QStringList names = { QStringLiteral("Deep Focus"), QStringLiteral("a;touch \"$PWNED\""),
        QStringLiteral("$(touch \"$PWNED\")"), QStringLiteral("`touch \"$PWNED\"` && x | y > z") };
    QStringList expected;
    for (const QString& name : names) {
        addAutomation(QStringLiteral("shortcuts/") + name);
        ASSERT_TRUE(ShortcutRunner::run(QStringLiteral(" \t ") + name + QStringLiteral(" \n"), folder));
        expected.append(ranLine(name));
    }
    EXPECT_FALSE(ShortcutRunner::run(QStringLiteral("missing;touch \"$PWNED\""), folder));

    ASSERT_TRUE(waitUntil([&] { return logLines().size() == names.size(); }));
    QStringList lines = logLines();
    lines.sort();
    expected.sort();
    EXPECT_EQ(lines, expected);
    EXPECT_FALSE(QFile::exists(pwned));
}

} // namespace

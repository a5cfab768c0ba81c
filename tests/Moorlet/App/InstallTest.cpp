// The installed program as a folder: `cmake --install` into a temporary prefix, the folder moved
// elsewhere (it must not care where it lies), and the desktop entry checked against what the
// program and the notification server expect of it.

#include "Moorlet/App/CommandLine.h"
#include "Moorlet/App/DesktopIdentity.h"

#include "tests/Moorlet/TestFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QProcess>

#include <gtest/gtest.h>

using namespace moorlet;

namespace {

testfiles::Finished run(const QString& program, const QStringList& arguments)
{
    return testfiles::run(program, arguments, {}, 120000);
}

// The values of `key` in the desktop entry, in order, from every group.
QStringList entryValues(const QString& text, const QString& key)
{
    QStringList values;
    for (const auto& line : text.split(QLatin1Char('\n'))) {
        if (line.startsWith(key + QLatin1Char('=')))
            values.append(line.mid(key.size() + 1));
    }
    return values;
}

class InstallTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto installed = run(QStringLiteral(MOORLET_CMAKE),
            { QStringLiteral("--install"), QStringLiteral(MOORLET_BUILD_DIR), QStringLiteral("--prefix"),
                folder.filePath(QStringLiteral("installed")) });
        ASSERT_EQ(installed.exitCode, 0) << installed.out.toStdString();
        // Wherever the user unpacks it.
        ASSERT_TRUE(QDir().mkpath(folder.filePath(QStringLiteral("elsewhere"))));
        ASSERT_TRUE(QDir().rename(folder.filePath(QStringLiteral("installed")), moved()));
    }

    QString moved() const { return folder.filePath(QStringLiteral("elsewhere/Moorlet")); }

    testsupport::TemporaryFolder folder;
};

} // namespace

TEST_F(InstallTest, TheMovedFolderRunsAndItsValidDesktopEntryAndMetainfoStartItWithOptionsItUnderstands)
{
    const auto version = run(moved() + QStringLiteral("/bin/moorlet"), { QStringLiteral("--version") });
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("Moorlet "))) << version.out.toStdString();

    // The notifications name this desktop entry.
    const auto entryPath = moved()
        + QStringLiteral("/share/applications/%1.desktop").arg(QString::fromLatin1(DesktopIdentity::kDesktopEntry));
    const auto text = QString::fromUtf8(veltrane::testing::readBytes(entryPath));
    // desktop-file-validate prints nothing for a clean file, one whose listed actions all have
    // their groups among them.
    const auto validated = run(QStringLiteral("desktop-file-validate"), { entryPath });
    EXPECT_EQ(QString::number(validated.exitCode) + validated.out + validated.err, QStringLiteral("0"));
    const auto commands = entryValues(text, QStringLiteral("Exec"));
    ASSERT_EQ(commands.size(), 4) << "the program and its three actions";
    for (const auto& command : commands) {
        const auto arguments = command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        ASSERT_FALSE(arguments.isEmpty());
        EXPECT_EQ(arguments.first(), QStringLiteral("moorlet"));
        EXPECT_EQ(CommandLine::parse(arguments).outcome(), CommandLine::Outcome::run) << command.toStdString();
    }
    // The icon the entry and the notifications name is installed.
    const auto icons = entryValues(text, QStringLiteral("Icon"));
    ASSERT_EQ(icons, QStringList { QString::fromLatin1(DesktopIdentity::kIconName) });
    EXPECT_TRUE(QFile::exists(moved() + QStringLiteral("/share/icons/hicolor/scalable/apps/%1.svg").arg(icons.first())));

    // The metainfo passes its validator.
    const auto id = QString::fromLatin1(DesktopIdentity::kApplicationId);
    const auto metainfo = moved() + QStringLiteral("/share/metainfo/%1.metainfo.xml").arg(id);
    // appstreamcli marks errors E: and warnings W:.
    const auto component = run(QStringLiteral("appstreamcli"), { QStringLiteral("validate"), QStringLiteral("--no-net"), metainfo });
    EXPECT_TRUE(component.exitCode == 0 && !component.out.contains(QRegularExpression(QStringLiteral("^[EW]:"),
        QRegularExpression::MultilineOption))) << component.out.toStdString();
}

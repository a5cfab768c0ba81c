#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

// The session core and the kit's time area build without Qt so that they stay portable and
// testable on their own. The build refuses a Qt link on them; this test also catches a Qt header
// that would arrive through some other library's include path.

namespace {

namespace fs = std::filesystem;

// Qt's headers are "Qt…/…" or a capital Q followed by a capital letter (QObject, QtCore/QString).
const std::regex kQtInclude(R"(^\s*#\s*include\s*[<"](Qt[A-Za-z0-9]*/|Qt[A-Za-z0-9]*[>"]|Q[A-Z][A-Za-z0-9]*[>"]))");

std::vector<std::string> qtIncludesIn(const std::string& text)
{
    std::vector<std::string> found;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (std::regex_search(line, kQtInclude))
            found.push_back(line);
    }
    return found;
}

fs::path sourceRoot()
{
    const char* root = std::getenv("MOORLET_SOURCE_DIR");
    return root ? fs::path(root) : fs::path();
}

} // namespace

TEST(QtFreeSourcesTest, CoreAndTimeSourcesIncludeNoQtHeader)
{
    // The pattern itself: every spelling of a Qt include, and nothing else.
    EXPECT_EQ(qtIncludesIn("#include <QObject>\n  #  include \"QTimer\"\n#include <QtCore/QString>\n#include <QtGlobal>\n")
                  .size(),
        4u);
    EXPECT_TRUE(qtIncludesIn("#include <queue>\n#include <date/tz.h>\n// #include <QObject>\n").empty());

    const auto root = sourceRoot();
    ASSERT_FALSE(root.empty()) << "MOORLET_SOURCE_DIR is not set";
    int scanned = 0;
    for (const auto* area : { "MoorletCore", "VeltraneKit/Time", "VeltraneKit/Files" }) {
        ASSERT_TRUE(fs::is_directory(root / area)) << area;
        for (const auto& entry : fs::recursive_directory_iterator(root / area)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
                continue;
            std::ifstream file(entry.path());
            std::stringstream text;
            text << file.rdbuf();
            for (const auto& line : qtIncludesIn(text.str()))
                ADD_FAILURE() << entry.path().string() << ": " << line;
            ++scanned;
        }
    }
    // The engines, the calendar and the clock at the least: an empty scan proves nothing.
    EXPECT_GE(scanned, 10);
}

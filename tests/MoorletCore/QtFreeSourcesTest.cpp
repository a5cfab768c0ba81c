#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

// The session core and the kit's time area build without Qt so that they stay portable and
// testable on their own. The build refuses a Qt link on them; this test also catches a Qt header
// that would arrive through some other library's include path.

namespace fs = std::filesystem;

TEST(QtFreeSourcesTest, CoreAndTimeSourcesIncludeNoQtHeader)
{
    // Qt's headers are "Qt…/…" or a capital Q followed by a capital letter (QObject, QtCore/QString).
    const std::regex qtInclude(
        R"(^\s*#\s*include\s*[<"](Qt[A-Za-z0-9]*/|Qt[A-Za-z0-9]*[>"]|Q[A-Z][A-Za-z0-9]*[>"]))");
    const char* root = std::getenv("MOORLET_SOURCE_DIR");
    ASSERT_TRUE(root) << "MOORLET_SOURCE_DIR is not set";
    int scanned = 0;
    for (const auto* area : { "MoorletCore", "VeltraneKit/Time", "VeltraneKit/Files" }) {
        ASSERT_TRUE(fs::is_directory(fs::path(root) / area)) << area;
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(root) / area)) {
            const auto extension = entry.path().extension();
            if (!entry.is_regular_file() || (extension != ".h" && extension != ".cpp"))
                continue;
            std::ifstream file(entry.path());
            for (std::string line; std::getline(file, line);) {
                if (std::regex_search(line, qtInclude))
                    ADD_FAILURE() << entry.path().string() << ": " << line;
            }
            ++scanned;
        }
    }
    // The engines, the calendar and the clock at the least: an empty scan proves nothing.
    EXPECT_GE(scanned, 10);
}

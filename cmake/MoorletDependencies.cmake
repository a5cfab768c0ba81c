# Every third-party library the project uses, found once for all targets.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(nlohmann_json 3.10 REQUIRED)
find_package(simdjson 3.0 REQUIRED)
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets Svg DBus Network Test Concurrent)
find_package(X11 REQUIRED)

pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(SODIUM REQUIRED IMPORTED_TARGET libsodium)
pkg_check_modules(FFMPEG REQUIRED IMPORTED_TARGET libavformat libavcodec libswresample libavutil)
pkg_check_modules(ARCHIVE REQUIRED IMPORTED_TARGET libarchive)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
# The panel's input shape, and the hot-key test's switch between the two kinds of key repeat.
pkg_check_modules(XCB_SHAPE REQUIRED IMPORTED_TARGET xcb-shape)
pkg_check_modules(XCB_XKB REQUIRED IMPORTED_TARGET xcb-xkb)
# The time since the user's last input.
pkg_check_modules(XCB_SCREENSAVER REQUIRED IMPORTED_TARGET xcb-screensaver)
# Key names in the shortcuts format the desktop portal takes.
pkg_check_modules(XKBCOMMON REQUIRED IMPORTED_TARGET xkbcommon)

# HowardHinnant date ships headers and libdate-tz without a CMake package on Debian 12.
find_path(DATE_INCLUDE_DIR date/tz.h REQUIRED)
find_library(DATE_TZ_LIBRARY NAMES date-tz REQUIRED)
if(NOT TARGET date::date-tz)
  add_library(date::date-tz UNKNOWN IMPORTED)
  set_target_properties(date::date-tz PROPERTIES
    IMPORTED_LOCATION "${DATE_TZ_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${DATE_INCLUDE_DIR}"
    INTERFACE_COMPILE_DEFINITIONS "USE_OS_TZDB=1")
endif()

if(BUILD_TESTING)
  find_package(GTest REQUIRED)
endif()
if(MOORLET_BUILD_BENCHMARKS)
  find_package(benchmark REQUIRED)
endif()

# Helpers that keep every target built the same way.

set(MOORLET_WARNINGS -Wall -Wextra -Wpedantic)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  # g++ 12 reports a false stringop-overflow on vector::insert at -O2.
  list(APPEND MOORLET_WARNINGS -Wno-stringop-overflow)
endif()
if(MOORLET_WERROR)
  list(APPEND MOORLET_WARNINGS -Werror)
endif()

function(moorlet_apply_defaults target)
  target_compile_options(${target} PRIVATE ${MOORLET_WARNINGS})
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
  set_target_properties(${target} PROPERTIES AUTOMOC ON AUTORCC ON)
endfunction()

# moorlet_area(<target> MODULE <Kit|Core|App> [ALIAS <alias>] [QT_FREE]
#              [PUBLIC <libs…>] [PRIVATE <libs…>] [RESOURCES <qrc…>])
# A static library from every .cpp/.h in the calling folder (recursively).
# QT_FREE areas are checked at build time: they may not link Qt.
function(moorlet_area target)
  cmake_parse_arguments(ARG "QT_FREE" "ALIAS;MODULE" "PUBLIC;PRIVATE;RESOURCES" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp" "${CMAKE_CURRENT_SOURCE_DIR}/*.h")
  add_library(${target} STATIC ${sources} ${ARG_RESOURCES})
  moorlet_apply_defaults(${target})
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
  if(ARG_QT_FREE)
    foreach(lib IN LISTS ARG_PUBLIC ARG_PRIVATE)
      if(lib MATCHES "^Qt")
        message(FATAL_ERROR "${target} is Qt-free but links ${lib}")
      endif()
    endforeach()
    set_target_properties(${target} PROPERTIES AUTOMOC OFF AUTORCC OFF)
  endif()
  if(ARG_ALIAS)
    add_library(${ARG_ALIAS} ALIAS ${target})
  endif()
  if(ARG_MODULE)
    set_property(GLOBAL APPEND PROPERTY MOORLET_${ARG_MODULE}_AREAS ${target})
  endif()
endfunction()

# An interface target that stands for a whole module: every area registered for it.
function(moorlet_module target alias module)
  get_property(areas GLOBAL PROPERTY MOORLET_${module}_AREAS)
  add_library(${target} INTERFACE)
  target_link_libraries(${target} INTERFACE ${areas})
  add_library(${alias} ALIAS ${target})
endfunction()

# moorlet_test(<name> SOURCES <files…> LIBS <libs…> [QT] [XVFB] [DBUS] [TIMEOUT <s>]
#              [LABELS <labels…>] [ENV <NAME=VALUE…>])
# One GoogleTest executable, registered with CTest as one test. Every test runs in a private
# environment (tests/support/with-private-environment.sh): its own home and XDG folders and
# nothing of the caller's environment but PATH and debugging aids; ENV adds settings to it.
#   QT    links a main that creates a QApplication (offscreen unless XVFB is given).
#   XVFB  runs the test on a private Xvfb display (with a compositor).
#   DBUS  runs the test inside its own session bus that activates no services.
function(moorlet_test name)
  cmake_parse_arguments(ARG "QT;XVFB;DBUS" "TIMEOUT" "SOURCES;LIBS;LABELS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  moorlet_apply_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock MoorletTestSupport)
  if(ARG_QT OR ARG_XVFB)
    target_link_libraries(${name} PRIVATE MoorletQtTestMain)
  else()
    target_link_libraries(${name} PRIVATE MoorletTestMain)
  endif()
  set(command $<TARGET_FILE:${name}>)
  set(env "MOORLET_SOURCE_DIR=${PROJECT_SOURCE_DIR}" "SDL_AUDIODRIVER=dummy" "TZ=UTC")
  if(ARG_XVFB)
    set(command "${PROJECT_SOURCE_DIR}/tests/support/with-xvfb.sh" ${command})
  else()
    list(APPEND env "QT_QPA_PLATFORM=offscreen")
  endif()
  if(ARG_DBUS)
    set(command "${PROJECT_SOURCE_DIR}/tests/support/with-dbus.sh" ${command})
  endif()
  add_test(NAME ${name} COMMAND "${PROJECT_SOURCE_DIR}/tests/support/with-private-environment.sh"
    ${env} ${ARG_ENV} -- ${command})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${ARG_LABELS}")
endfunction()

# moorlet_benchmark(<name> SOURCES <files…> LIBS <libs…>)
function(moorlet_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  moorlet_apply_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# MOORLET_SKIP_FOLDERS (a list of folders relative to the source root, e.g. "Moorlet/Views")
# leaves folders out of a developer build while they are being reworked.
set(MOORLET_SKIP_FOLDERS "" CACHE STRING "Folders to leave out of the build")

# Adds every immediate subfolder of the calling folder that has a CMakeLists.txt, in the
# given order first, then the rest alphabetically.
function(moorlet_add_subfolders)
  set(ordered ${ARGN})
  file(GLOB children RELATIVE "${CMAKE_CURRENT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/*")
  list(SORT children)
  foreach(child IN LISTS children)
    if(NOT child IN_LIST ordered)
      list(APPEND ordered ${child})
    endif()
  endforeach()
  foreach(child IN LISTS ordered)
    file(RELATIVE_PATH relative "${PROJECT_SOURCE_DIR}" "${CMAKE_CURRENT_SOURCE_DIR}/${child}")
    if(relative IN_LIST MOORLET_SKIP_FOLDERS)
      continue()
    endif()
    if(EXISTS "${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt")
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()

# glim_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>] [MAIN] [WINDOW])
#
# One CTest entry per test program, labelled "program": starting a program
# under Wine costs about a second, so the programs run whole and GoogleTest
# reports each case. Each case also gets an entry of its own, named
# Suite.Case and labelled "case", that runs the program with only that case:
# GoogleTest's module asks the built program for its cases when ctest starts
# (through the cross-compiling emulator, if there is one), so only the cases
# compiled into it appear. The test presets native, windows and
# windows-native leave those out, native-case and windows-case hold only
# those. GLIM_TEST_CASES=OFF makes no case entries.
# MAIN links GoogleTest's own main(); without it the sources bring one.
# WINDOW marks a program that opens windows (or starts one that does): its
# entry is labelled "window" as well, and the windows-clang preset leaves
# them out. The others are what the target window_free_tests builds.
#
# GLIM_TESTS_UNDER_WINE tells whether the test programs run under Wine through
# tools/wine-run.sh (the windows and windows-clang presets) rather than
# directly on Windows (windows-native): what only the wrapper can do, such as
# a prefix of another scale, is registered only then.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING_EMULATOR MATCHES "wine-run")
  set(GLIM_TESTS_UNDER_WINE ON)
else()
  set(GLIM_TESTS_UNDER_WINE OFF)
endif()
option(GLIM_TEST_CASES "An entry per GoogleTest case as well, labelled case" ON)
add_custom_target(window_free_tests)
function(glim_add_test name)
  cmake_parse_arguments(T "MAIN;WINDOW" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  if(T_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(labels program)
  if(T_WINDOW)
    list(APPEND labels window)
  else()
    add_dependencies(window_free_tests ${name})
  endif()
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS "${labels}")
  if(GLIM_TEST_CASES)
    gtest_discover_tests(${name}
      EXTRA_ARGS --gtest_color=no
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60
      PROPERTIES TIMEOUT ${T_TIMEOUT} LABELS case SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] 1 test")
  endif()
endfunction()

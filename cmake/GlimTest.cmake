# glim_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>] [MAIN] [WINDOW])
#
# One CTest entry per test program, labelled "program": starting a program
# under Wine costs about a second, so the programs run whole and GoogleTest
# reports each case. Each case also gets an entry of its own, named
# Suite.Case and labelled "case", that runs the program with only that case:
# the test presets native and windows leave those out, native-case and
# windows-case hold only those.
# MAIN links GoogleTest's own main(); without it the sources bring one.
# WINDOW marks a program that opens windows (or starts one that does): its
# entries are labelled "window" as well, and the windows-clang preset leaves
# them out. The others are what the target window_free_tests builds.
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
  # At the end of the folder, so sources added later with target_sources count too.
  cmake_language(EVAL CODE "cmake_language(DEFER CALL glim_add_test_cases [[${name}]] [[${T_TIMEOUT}]] [[${T_WINDOW}]])")
endfunction()

# The per-case entries of a test program, from the TEST and TEST_F lines of
# its sources. GoogleTest's gtest_add_tests reads the lines the same way but
# also takes the cases under "#ifdef _WIN32" on the host build, where they are
# not compiled: here an #ifdef or #ifndef of _WIN32 and its #else count.
function(glim_add_test_cases name timeout window)
  get_target_property(sources ${name} SOURCES)
  list(FILTER sources INCLUDE REGEX "^[^$].*\\.cpp$")
  set(ifdef_win32 0)
  set(ifndef_win32 1)
  if(WIN32)
    set(ifdef_win32 1)
    set(ifndef_win32 0)
  endif()
  set(labels case)
  if(window)
    list(APPEND labels window)
  endif()
  set(cases "")
  foreach(source IN LISTS sources)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
    file(STRINGS ${source} lines REGEX "^[ \t]*(#[ \t]*(if|elif|else|endif)|TEST(_F)?[ \t]*\\()")
    # One entry per open #if: 1 compiled, 0 not, ? depends on something else.
    set(open "")
    foreach(line IN LISTS lines)
      if(line MATCHES "^[ \t]*#[ \t]*(ifdef|ifndef)[ \t]+_WIN32[ \t]*($|/)")
        list(APPEND open ${${CMAKE_MATCH_1}_win32})
      elseif(line MATCHES "^[ \t]*#[ \t]*if")
        list(APPEND open ?)
      elseif(line MATCHES "^[ \t]*#[ \t]*(elif|else|endif)" AND NOT open STREQUAL "")
        list(POP_BACK open branch)
        if(CMAKE_MATCH_1 STREQUAL "else" AND NOT branch STREQUAL "?")
          math(EXPR branch "1 - ${branch}")
          list(APPEND open ${branch})
        elseif(NOT CMAKE_MATCH_1 STREQUAL "endif")
          list(APPEND open ?)
        endif()
      elseif(NOT "0" IN_LIST open AND line MATCHES "^[ \t]*TEST(_F)?[ \t]*\\([ \t]*([A-Za-z0-9_]+)[ \t]*,[ \t]*([A-Za-z0-9_]+)[ \t]*\\)")
        list(APPEND cases "${CMAKE_MATCH_2}.${CMAKE_MATCH_3}")
      endif()
    endforeach()
  endforeach()
  foreach(case IN LISTS cases)
    add_test(NAME ${case} COMMAND ${name} --gtest_filter=${case} --gtest_color=no)
    # A name the filter does not match would run nothing and pass.
    set_tests_properties(${case} PROPERTIES
      TIMEOUT ${timeout}
      LABELS "${labels}"
      FAIL_REGULAR_EXPRESSION "Running 0 tests"
      SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] 1 test")
  endforeach()
endfunction()

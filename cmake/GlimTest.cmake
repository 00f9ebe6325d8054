# glim_add_test(<name> SOURCES <files...> LIBS <targets...> [TIMEOUT <seconds>] [MAIN])
#
# One CTest entry per test program: starting a program under Wine costs about
# a second, so the programs run whole and GoogleTest reports each case.
# MAIN links GoogleTest's own main(); without it the sources bring one.
function(glim_add_test name)
  cmake_parse_arguments(T "MAIN" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest)
  if(T_MAIN)
    target_link_libraries(${name} PRIVATE GTest::gtest_main)
  endif()
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT})
endfunction()

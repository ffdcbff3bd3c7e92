# Shared build settings for every orvexp target.

# Our own code: the libraries' headers (Qt, GoogleTest, libical) come in as system
# headers and are not held to these.
# -Wconversion and -Wsign-conversion catch a signed value widened into an
# unsigned key or index; -Wold-style-cast keeps every cast visible by its kind.
function(orvexp_set_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wold-style-cast)
  if(ORVEXP_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# orvexp_add_library(name SOURCES ... [DEPS ...])
# A library of one subsystem folder; its headers are included as "folder/Header.h".
function(orvexp_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  orvexp_set_warnings(${name})
endfunction()

# orvexp_add_test(name SOURCES ... [DEPS ...] [QT])
# A GoogleTest program (or a Qt Test program with QT) registered with CTest.
function(orvexp_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  orvexp_set_warnings(${name})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  if(ARG_QT)
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
      LABELS "qt;${ARG_LABELS}")
  else()
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
      PROPERTIES LABELS "unit;${ARG_LABELS}")
  endif()
endfunction()

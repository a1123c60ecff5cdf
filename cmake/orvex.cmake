# Shared compile settings and helpers for every Orvex target.

set(ORVEX_WARNINGS -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wno-missing-field-initializers)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  list(APPEND ORVEX_WARNINGS -Wshadow=local)
else()
  list(APPEND ORVEX_WARNINGS -Wshadow-uncaptured-local)
endif()

if(ORVEX_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

if(ORVEX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ORVEX_FUZZ needs clang (CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer -g)
  add_link_options(-fsanitize=address,undefined)
endif()

# orvex_library(NAME SOURCES... [DEPS ...]): a static library of one subsystem.
function(orvex_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${ORVEX_WARNINGS})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# orvex_test(NAME SOURCES... DEPS ...): a GoogleTest executable registered with CTest.
# Tests run from the source directory so they can find fixtures and ../shared/forms.
# X11_IN_PROCESS: the test opens this process's own X connection (Qt's xcb platform), whose
# keyboard library reads a keymap name past its end with strndup; the sanitizer's strict string
# checks count that as an overflow, so these tests run with them off and every other check on.
function(orvex_test name)
  if(NOT ORVEX_TESTS OR ORVEX_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "X11_IN_PROCESS" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE ${ORVEX_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_compile_definitions(${name} PRIVATE
    ORVEX_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    ORVEX_BINARY_DIR="${CMAKE_BINARY_DIR}")
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set(first_label "")
  if(ARG_LABELS)
    list(GET ARG_LABELS 0 first_label)
  endif()
  set(environment_property "")
  if(ARG_X11_IN_PROCESS)
    set(environment_property ENVIRONMENT_MODIFICATION "ASAN_OPTIONS=string_append::strict_string_checks=0")
  endif()
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${ARG_TIMEOUT} LABELS "${first_label}" ${environment_property})
  # A list of labels does not survive the discovery's properties (the second arrives as a property
  # name), so a test of several labels gets them all from a script CTest reads after the discovered
  # list.
  list(LENGTH ARG_LABELS label_count)
  if(label_count GREATER 1)
    set(labels_script "${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake")
    file(WRITE "${labels_script}"
      "if(${name}_TESTS)\n"
      "  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${ARG_LABELS}\")\n"
      "endif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${labels_script}")
  endif()
endfunction()

# orvex_fuzzer(NAME SOURCE DEPS ...): a libFuzzer target, built only with ORVEX_FUZZ=ON.
function(orvex_fuzzer name)
  if(NOT ORVEX_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_property(GLOBAL APPEND PROPERTY ORVEX_FUZZERS ${name})
endfunction()

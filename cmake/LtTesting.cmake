# lt_add_gtest(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [TIMEOUT <s>])
# One GoogleTest executable whose cases are discovered one CTest test each at
# test time. Its main (tests/test_main.cpp) clears proxies (libcurl does not
# exempt loopback from http_proxy), runs SDL without a display and sets
# LT_SOURCE_DIR and LT_BINARY_DIR.
add_library(lt_test_main STATIC ${PROJECT_SOURCE_DIR}/tests/test_main.cpp)
target_link_libraries(lt_test_main PUBLIC GTest::gtest)
target_compile_definitions(lt_test_main PRIVATE
  LT_TEST_SOURCE_DIR="${PROJECT_SOURCE_DIR}" LT_TEST_BINARY_DIR="${PROJECT_BINARY_DIR}")

# Sanitizer builds: every test (and the programs it starts) reads the leak
# suppressions for third-party libraries, and undefined behaviour reports
# carry a stack.
set(LT_TEST_ENVIRONMENT "")
if(LT_SANITIZE STREQUAL "address")
  set(LT_TEST_ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan.supp:print_suppressions=0"
    "UBSAN_OPTIONS=print_stacktrace=1")
elseif(LT_SANITIZE STREQUAL "thread")
  set(LT_TEST_ENVIRONMENT "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1")
endif()

function(lt_add_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} lt_test_main GTest::gtest GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(_labels "")
  if(T_LABELS)
    set(_labels LABELS "${T_LABELS}")
  endif()
  set(_environment "")
  if(LT_TEST_ENVIRONMENT)
    string(REPLACE ";" "\\;" _escaped "${LT_TEST_ENVIRONMENT}")
    set(_environment ENVIRONMENT "${_escaped}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES
      TIMEOUT ${T_TIMEOUT}
      ${_environment}
      ${_labels})
endfunction()

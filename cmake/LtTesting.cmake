# lt_add_gtest(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [TIMEOUT <s>])
# One GoogleTest executable whose cases are discovered one CTest test each at
# test time. Proxies are cleared (libcurl does not exempt loopback from
# http_proxy) and SDL runs without a display.
function(lt_add_gtest name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  set(_labels "")
  if(T_LABELS)
    set(_labels LABELS "${T_LABELS}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    PROPERTIES
      TIMEOUT ${T_TIMEOUT}
      ${_labels}
      ENVIRONMENT "http_proxy=;https_proxy=;all_proxy=;HTTP_PROXY=;HTTPS_PROXY=;ALL_PROXY=;SDL_VIDEODRIVER=offscreen;LT_SOURCE_DIR=${PROJECT_SOURCE_DIR};LT_BINARY_DIR=${PROJECT_BINARY_DIR}")
endfunction()

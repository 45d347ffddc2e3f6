# lt_add_fuzz_target(<name> SOURCES <files...> LIBS <libraries...> CORPUS <dir> RUNS <n>)
#
# With clang: a libFuzzer target <name>. The libraries under test, and every
# lt_ library they link, are compiled with coverage instrumentation
# (-fsanitize=fuzzer-no-link), so the fuzzer is guided by the code it tests
# and not only by its harness; whatever links them gets the small runtime
# that instrumentation needs. Configure such a build for fuzzing alone (see
# the README); add -DLT_SANITIZE=address to catch memory errors as well.
#
# With any other compiler: <name>_smoke, which runs the seed corpus and a
# fixed set of mutations as an ordinary test (RUNS mutations).
include_guard(GLOBAL)

function(lt_fuzz_instrument)
  foreach(lib IN LISTS ARGN)
    if(NOT lib MATCHES "^lt_" OR NOT TARGET ${lib})
      continue()
    endif()
    get_target_property(done ${lib} LT_FUZZ_INSTRUMENTED)
    if(done)
      continue()
    endif()
    set_target_properties(${lib} PROPERTIES LT_FUZZ_INSTRUMENTED ON)
    get_target_property(type ${lib} TYPE)
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      target_compile_options(${lib} PRIVATE -fsanitize=fuzzer-no-link)
    endif()
    target_link_options(${lib} INTERFACE -fsanitize=fuzzer-no-link)
    get_target_property(deps ${lib} LINK_LIBRARIES)
    if(deps)
      lt_fuzz_instrument(${deps})
    endif()
  endforeach()
endfunction()

function(lt_add_fuzz_target name)
  cmake_parse_arguments(F "" "CORPUS;RUNS" "SOURCES;LIBS" ${ARGN})
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    lt_fuzz_instrument(${F_LIBS})
    add_executable(${name} ${F_SOURCES})
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
  else()
    add_executable(${name}_smoke ${F_SOURCES} ${PROJECT_SOURCE_DIR}/fuzz/bmp/smoke_driver.cpp)
    target_link_libraries(${name}_smoke PRIVATE ${F_LIBS})
    if(LT_BUILD_TESTS)
      add_test(NAME ${name}_smoke COMMAND ${name}_smoke ${F_CORPUS} ${F_RUNS})
      set_tests_properties(${name}_smoke PROPERTIES TIMEOUT 300)
    endif()
  endif()
endfunction()

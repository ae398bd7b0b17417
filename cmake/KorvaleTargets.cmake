# Shared settings of every target that is Korvale's own code.

# Warnings are errors in our own builds (the Makefile and CI switch this on);
# a packager's plain configure with another compiler must not fail on that
# compiler's new warnings.
option(KORVALE_WERROR "Treat compiler warnings as errors" OFF)

set(KORVALE_WARNINGS -Wall -Wextra)
if(KORVALE_WERROR)
  list(APPEND KORVALE_WARNINGS -Werror)
endif()

# The optimisation level the compiler is given: the last -O of the general
# flags and those of the build type (a packager's CXXFLAGS may carry it in a
# build without a type). "0" when none is given.
function(korvale_optimisation_level out)
  string(TOUPPER "${CMAKE_BUILD_TYPE}" type)
  string(REGEX MATCHALL "-O[^ ]*" levels "${CMAKE_CXX_FLAGS} ${CMAKE_CXX_FLAGS_${type}}")
  set(level "0")
  if(levels)
    list(GET levels -1 last)
    string(SUBSTRING "${last}" 2 -1 level)
  endif()
  set(${out} "${level}" PARENT_SCOPE)
endfunction()

# g++ before 13 reports two kinds of problems in the standard library's own
# code that cannot happen once it inlines deeply: overlapping memcpy inside
# std::string concatenation (-Wrestrict, at -O3), and uninitialized reads
# when copying a std::variant held in a std::optional, as the property values
# are (-Wmaybe-uninitialized, at -O2, -O3 and -Os). Both are switched off
# for it; builds at -O0 and -O1 (Debug, the sanitizer test build) keep the
# second, where it is reliable.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  list(APPEND KORVALE_WARNINGS -Wno-restrict)
  get_property(multi_config GLOBAL PROPERTY GENERATOR_IS_MULTI_CONFIG)
  if(multi_config)
    list(APPEND KORVALE_WARNINGS
         $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-Wno-maybe-uninitialized>)
  else()
    korvale_optimisation_level(level)
    if(NOT level MATCHES "^(|0|1|g)$")
      list(APPEND KORVALE_WARNINGS -Wno-maybe-uninitialized)
    endif()
  endif()
endif()

if(KORVALE_SANITIZE)
  set(KORVALE_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer
      -fno-sanitize-recover=all)
  add_compile_options(${KORVALE_SANITIZER_FLAGS})
  add_link_options(${KORVALE_SANITIZER_FLAGS})
endif()

if(KORVALE_FUZZ)
  # Libraries get coverage instrumentation; only fuzz targets link the fuzzer main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

function(korvale_defaults target)
  target_compile_options(${target} PRIVATE ${KORVALE_WARNINGS})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
endfunction()

# Every header must compile on its own: one generated translation unit per header.
function(korvale_header_check target)
  if(KORVALE_FUZZ)
    return()
  endif()
  get_target_property(sources ${target} SOURCES)
  set(checks)
  foreach(src IN LISTS sources)
    if(src MATCHES "\\.h$")
      get_filename_component(abs ${src} ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
      file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${abs})
      string(MAKE_C_IDENTIFIER ${rel} id)
      set(tu ${CMAKE_CURRENT_BINARY_DIR}/headercheck/${id}.cpp)
      file(CONFIGURE OUTPUT ${tu} CONTENT "#include \"${rel}\"\n#include \"${rel}\"\n")
      list(APPEND checks ${tu})
    endif()
  endforeach()
  if(checks)
    add_library(${target}_headercheck OBJECT ${checks})
    korvale_defaults(${target}_headercheck)
    target_link_libraries(${target}_headercheck PRIVATE ${target})
  endif()
endfunction()

# One static library per folder; sources are every .cpp and .h in it.
function(korvale_library target)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${target} STATIC ${sources})
  korvale_defaults(${target})
  korvale_header_check(${target})
  set_property(GLOBAL APPEND PROPERTY KORVALE_LIBRARIES ${target})
endfunction()

# One GoogleTest executable per library, each test registered with CTest.
function(korvale_test_suite target)
  cmake_parse_arguments(ARG "" "" "LIBRARIES" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp
       ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${target} ${sources})
  korvale_defaults(${target})
  # A suite that needs a Qt application object brings its own TestMain.cpp.
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/TestMain.cpp)
    set(gtest_main GTest::gtest)
  else()
    set(gtest_main GTest::gtest_main)
  endif()
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} korvale_testsupport GTest::gmock
                        ${gtest_main})
  gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

# A check in real windows on an X server (Xvfb), outside the offscreen
# suites: the program <target> built from SOURCE, registered as the test
# NAME and skipped (77) where xvfb-run is not installed. With FAKE_INPUT it
# drives the pointer through the X server's own input-faking extension,
# spoken through libxcb (which Qt's xcb platform already needs), and is
# skipped too where the xcb headers are missing. SCREEN defaults to
# 1024x768x24.
function(korvale_window_check target)
  cmake_parse_arguments(ARG "FAKE_INPUT" "NAME;SCREEN" "SOURCE;LIBRARIES" ${ARGN})
  if(NOT ARG_SCREEN)
    set(ARG_SCREEN 1024x768x24)
  endif()
  if(ARG_FAKE_INPUT)
    find_library(KORVALE_XCB_LIBRARY xcb)
    find_path(KORVALE_XCB_INCLUDE_DIR xcb/xcbext.h)
    if(NOT KORVALE_XCB_LIBRARY OR NOT KORVALE_XCB_INCLUDE_DIR)
      add_test(NAME ${ARG_NAME} COMMAND sh -c "exit 77")
      set_tests_properties(${ARG_NAME} PROPERTIES SKIP_RETURN_CODE 77)
      return()
    endif()
  endif()
  add_executable(${target} ${ARG_SOURCE})
  korvale_defaults(${target})
  target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES})
  if(ARG_FAKE_INPUT)
    target_include_directories(${target} PRIVATE ${KORVALE_XCB_INCLUDE_DIR})
    target_link_libraries(${target} PRIVATE ${KORVALE_XCB_LIBRARY})
  endif()
  add_test(NAME ${ARG_NAME}
           COMMAND sh -c "command -v xvfb-run >/dev/null 2>&1 || exit 77; exec xvfb-run -a -s '-screen 0 ${ARG_SCREEN}' \"$0\""
                   $<TARGET_FILE:${target}>)
  set_tests_properties(${ARG_NAME} PROPERTIES SKIP_RETURN_CODE 77
                       ENVIRONMENT "QT_QPA_PLATFORM=xcb;ASAN_OPTIONS=detect_leaks=0")
endfunction()

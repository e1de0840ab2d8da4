# Build options shared by every target.
option(TAVI_BUILD_TESTS "Build the unit tests" ON)
option(TAVI_BUILD_BENCH "Build the benchmarks" OFF)
option(TAVI_FUZZ "Build libFuzzer targets (needs clang)" OFF)
option(TAVI_WERROR "Treat warnings as errors" OFF)
set(TAVI_SANITIZE "" CACHE STRING "Comma-separated sanitizers, e.g. address,undefined")

find_program(CCACHE_PROGRAM ccache)
if(CCACHE_PROGRAM)
    set(CMAKE_CXX_COMPILER_LAUNCHER "${CCACHE_PROGRAM}")
endif()

add_compile_options(-Wall -Wextra)
if(TAVI_WERROR)
    add_compile_options(-Werror)
endif()
add_compile_definitions(QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                        QT_NO_URL_CAST_FROM_STRING QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)

if(TAVI_SANITIZE)
    add_compile_options(-fsanitize=${TAVI_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=${TAVI_SANITIZE})
endif()

if(TAVI_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "TAVI_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    # Instrument everything for coverage; only the fuzz targets link libFuzzer's main.
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined)
    add_link_options(-fsanitize=address,undefined)
endif()

# A test binary with GoogleTest, discovered by CTest, run headless.
function(tavi_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
    gtest_discover_tests(${name}
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;TAVI_AUDIO_OUTPUT=null"
                   FAIL_REGULAR_EXPRESSION "${TAVI_TEST_FAILURE_TEXT}")
endfunction()

# An uncaught exception, anywhere in a test's output (a player started by it included),
# fails the test whatever it asserted.
set(TAVI_TEST_FAILURE_TEXT "terminate called")

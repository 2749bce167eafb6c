# SPDX-License-Identifier: MIT
# Shared settings for every target of the project. No global flag edits: each target opts in.

# tintaro_defaults(<target>) gives a target the project's warnings, exact floating point and
# sanitizers. Pixel values must be bit-exact, so floating-point contraction (fused multiply-add)
# is switched off everywhere.
function(tintaro_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -ffp-contract=off)
    if(TINTARO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(TINTARO_BUILD_FUZZERS)
        # Coverage for libFuzzer in every library; executables other than the fuzzers (tools)
        # still need the sanitizer runtimes at link time.
        target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    elseif(TINTARO_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined
                                                 -fno-sanitize-recover=undefined
                                                 -fno-omit-frame-pointer)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
    get_target_property(_type ${target} TYPE)
    if(TARGET Qt6::Core AND NOT _type STREQUAL "INTERFACE_LIBRARY")
        target_compile_definitions(${target} PRIVATE QT_NO_KEYWORDS QT_NO_CAST_FROM_ASCII
                                                     QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
    endif()
endfunction()

# tintaro_library(<target> <alias> sources...): a static library of the project, exposing the
# headers of its own folder. The Qt-free layers
# use it too; the core-only build, which CI runs with Qt absent, proves they need no Qt.
function(tintaro_library target alias)
    add_library(${target} STATIC ${ARGN})
    add_library(${alias} ALIAS ${target})
    target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
    tintaro_defaults(${target})
endfunction()

# tintaro_gtest(<name> LABEL <label> SOURCES ... LIBS ...): one GoogleTest executable.
function(tintaro_gtest name)
    cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    tintaro_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABEL}" TIMEOUT 600)
    if(WIN32)
        # Windows tests run under Wine (the toolchain's emulator) in the test prefix.
        set_tests_properties(${name} PROPERTIES LABELS windows FIXTURES_REQUIRED wine_prefix
                             ENVIRONMENT "WINEPREFIX=${TINTARO_TEST_WINEPREFIX}")
    endif()
endfunction()

# tintaro_qtest(<name> [LABEL <label>] SOURCES ... LIBS ...): one QTest executable on the offscreen
# platform, labelled gui unless told.
function(tintaro_qtest name)
    cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LIBS" ${ARGN})
    if(NOT ARG_LABEL)
        set(ARG_LABEL gui)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    tintaro_defaults(${name})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} Qt6::Test Qt6::Widgets)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABEL}" TIMEOUT 600
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_FONT_DPI=96;QT_SCALE_FACTOR=1")
endfunction()

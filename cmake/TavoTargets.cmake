# Per-target build settings: warnings for our own code, and the sanitizers when asked for.
# Warnings are errors in the presets and CI, not in every build: a newer compiler's new warning
# must not break a packager's build.
option(TAVO_WERROR "Treat warnings as errors" OFF)
option(TAVO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

function(tavo_target_settings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(TAVO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(TAVO_SANITIZE)
        target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer
                                                 -fno-sanitize-recover=undefined)
        target_link_options(${target} PRIVATE -fsanitize=address,undefined)
    endif()
endfunction()

# A GoogleTest executable registered with ctest under one label. With EMULATOR, every test (and
# the listing of tests) runs through that command. FILTER (a --gtest_filter pattern) limits the
# tests registered.
function(tavo_add_test target label)
    cmake_parse_arguments(ARG "" "EMULATOR;FILTER" "SOURCES;LIBRARIES;PROPERTIES" ${ARGN})
    add_executable(${target} ${ARG_SOURCES})
    target_link_libraries(${target} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gmock GTest::gtest_main)
    tavo_target_settings(${target})
    if(ARG_EMULATOR)
        set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR ${ARG_EMULATOR})
    endif()
    set(filter)
    if(ARG_FILTER)
        set(filter TEST_FILTER ${ARG_FILTER})
    endif()
    gtest_discover_tests(${target} DISCOVERY_MODE PRE_TEST ${filter}
                         PROPERTIES LABELS ${label} ${ARG_PROPERTIES})
endfunction()

# Shared helpers for the project's targets.

# A core library: standard C++ only, warnings on, headers found as "folder/file.h" from src/.
function(kvat_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    kvat_warnings(${name})
    if(ARG_DEPENDS)
        target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
    endif()
endfunction()

# A GoogleTest executable registered with CTest, one test per case.
function(kvat_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPENDS} GTest::gtest_main)
    kvat_warnings(${name})
    target_compile_definitions(${name} PRIVATE KVAT_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
    # The core-only builds have no kvat command.
    if(TARGET kvat)
        target_compile_definitions(${name} PRIVATE KVAT_BINARY="$<TARGET_FILE:kvat>")
    endif()
    include(GoogleTest)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30
        PROPERTIES ENVIRONMENT "KVAT_SOUNDFONT=/usr/share/sounds/sf2/TimGM6mb.sf2")
endfunction()

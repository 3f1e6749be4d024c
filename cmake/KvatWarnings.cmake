# The one set of warnings every target of ours builds with. CI turns them into errors; a plain
# build does not, so that a newer compiler's new warnings cannot stop someone building Kvat.

option(KVAT_WERROR "Treat compiler warnings as errors" OFF)

function(kvat_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    if(KVAT_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    if(KVAT_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        # GCC's instrumentation hides initialisations from its flow analysis, so it reports
        # false "may be used uninitialized" (std::regex's own members, with GCC 12); GCC's
        # manual advises against -Werror with sanitizers for this. The main build keeps the check.
        target_compile_options(${target} PRIVATE -Wno-maybe-uninitialized)
    endif()
endfunction()

# Build variants that look for faults rather than ship: everything under the sanitizers (the
# tests of the sound, the command line and the window too), and the core under libFuzzer, which
# leaves Qt, the window and the command line out.

option(KVAT_CORE_ONLY "Build only the standard C++ core and its tests (no Qt, window or kvat)" OFF)
option(KVAT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(KVAT_FUZZ "Build the libFuzzer targets of tests/fuzz (clang only); implies the core only" OFF)

if(KVAT_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "KVAT_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    set(KVAT_CORE_ONLY ON)
endif()

if(KVAT_SANITIZE OR KVAT_FUZZ)
    # float-cast-overflow is not part of GCC's "undefined"; a float twip turned into an int is
    # exactly the kind of fault a long score could meet. Any report ends the process, so a
    # test cannot pass over one.
    set(KVAT_SANITIZER_FLAGS
        -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all)
    add_compile_options(${KVAT_SANITIZER_FLAGS} -fno-omit-frame-pointer
        # Bounds-checked operator[] on strings and vectors, which catches what stays within a
        # container's capacity and so escapes AddressSanitizer.
        -D_GLIBCXX_ASSERTIONS)
    add_link_options(${KVAT_SANITIZER_FLAGS})
endif()

if(KVAT_FUZZ)
    # Coverage feedback for every library; the fuzz targets link the fuzzer's main themselves.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

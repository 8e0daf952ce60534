# The native build, for the machine's own compiler (Linux, clang or gcc): the toolkit
# foundation, the engine, the dialog definition model, reader and writer, and the command line
# as kvr-decrypt, with the unit tests of those parts. KVR_SANITIZE builds everything with the
# address and undefined-behaviour sanitizers; KVR_FUZZ (clang) adds the libFuzzer targets.
set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)
if(NOT CMAKE_BUILD_TYPE)
    set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()
add_compile_options(-Wall -Wextra $<$<COMPILE_LANGUAGE:CXX>:-fno-exceptions>)

option(KVR_SANITIZE "Build with -fsanitize=address,undefined" OFF)
option(KVR_FUZZ "Build the libFuzzer targets (clang; implies the sanitizers)" OFF)
if(KVR_SANITIZE OR KVR_FUZZ)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)
find_package(Threads REQUIRED)
set(KVR_ZLIB ZLIB::ZLIB)
set(KVR_ZLIB_INCLUDE ${ZLIB_INCLUDE_DIRS})

include(cmake/KvrTargets.cmake)

add_subdirectory(toolkit/base)
add_subdirectory(toolkit/media)
add_subdirectory(engine)
add_subdirectory(toolkit/dialogdef)
add_subdirectory(app/cli)

option(KVR_TESTS "Build the tests" ON)
if(KVR_TESTS)
    enable_testing()
    add_subdirectory(tests/native)
endif()
if(KVR_FUZZ)
    add_subdirectory(tests/fuzz)
endif()

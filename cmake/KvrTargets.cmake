# Helpers shared by every folder's CMakeLists.

# kvr_library(NAME SOURCES ... [DEPS ...]): one static library per source folder.
function(kvr_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# kvr_test(NAME SOURCES ... [DEPS ...] [GUI]): a GoogleTest program run by CTest (under Wine
# in the Windows build).
# GUI tests need the private X display (and sound server) that scripts/test.sh starts.
function(kvr_test name)
    cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;DEPS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_DEPS} kvr_test_main)
    if(WIN32)
        kvr_manifest(${name} DESCRIPTION "KVR Decryptor test")
    endif()
    add_test(NAME ${name} COMMAND ${name})
    if(NOT ARG_TIMEOUT)
        set(ARG_TIMEOUT 300)
    endif()
    set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    if(ARG_GUI)
        set_tests_properties(${name} PROPERTIES LABELS gui)
    endif()
endfunction()

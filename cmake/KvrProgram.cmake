# The resources every program carries: an application manifest (common controls version 6,
# asInvoker, the supported systems) and, for the programs that ship, a version resource. Both
# take the version of the top-level project, the one place the release's version is written.

set(KVR_VERSION_QUAD "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0")
set(KVR_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
# The manifest names the program's processor: x86 for the release, amd64 for a 64-bit test build.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(KVR_MANIFEST_ARCH amd64)
else()
    set(KVR_MANIFEST_ARCH x86)
endif()
set(KVR_PROGRAM_TEMPLATES ${PROJECT_SOURCE_DIR}/resources/program)

# kvr_manifest(TARGET DESCRIPTION text): the manifest alone (test programs and tools, so that
# they meet the system's controls as the shipped programs do).
function(kvr_manifest target)
    cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
    set(KVR_FILE_NAME ${target}.exe)
    set(KVR_FILE_DESCRIPTION "${ARG_DESCRIPTION}")
    string(REGEX REPLACE "[^A-Za-z0-9.]" "" KVR_ASSEMBLY_NAME "Quillmont.${target}")
    set(folder ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources)
    set(KVR_MANIFEST_FILE ${folder}/${target}.manifest)
    configure_file(${KVR_PROGRAM_TEMPLATES}/program.manifest.in ${KVR_MANIFEST_FILE} @ONLY)
    configure_file(${KVR_PROGRAM_TEMPLATES}/manifest.rc.in ${folder}/manifest.rc @ONLY)
    set_source_files_properties(${folder}/manifest.rc PROPERTIES OBJECT_DEPENDS ${KVR_MANIFEST_FILE})
    target_sources(${target} PRIVATE ${folder}/manifest.rc)
endfunction()

# kvr_program_resources(TARGET DESCRIPTION text): manifest and version resource of a program
# that ships.
function(kvr_program_resources target)
    cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
    kvr_manifest(${target} DESCRIPTION "${ARG_DESCRIPTION}")
    set(KVR_FILE_NAME ${target}.exe)
    set(KVR_INTERNAL_NAME ${target})
    set(KVR_FILE_DESCRIPTION "${ARG_DESCRIPTION}")
    set(KVR_COPYRIGHT "Copyright (C) ${KVR_COPYRIGHT_YEAR} Quillmont")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-resources/version.rc)
    configure_file(${KVR_PROGRAM_TEMPLATES}/program.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

# kelvara_add_test(<name> [SOURCES <files...>] [LABELS unit|integration|qml] [LIBRARIES <libs...>] [DEMO_DATA])
#
# DEMO_DATA: the test reads the simulators' demo data (KELVARA_DEMO_DATA_DIR),
# which the build generates before it runs.
#
# Every test runs offscreen with its own HOME and TMPDIR, so no test touches a
# real documents folder and tests may run in parallel without sharing a data
# tree, a lock file or a local socket.
function(kelvara_add_test name)
    cmake_parse_arguments(ARG "DEMO_DATA" "" "SOURCES;LABELS;LIBRARIES" ${ARGN})
    if(NOT ARG_SOURCES)
        set(ARG_SOURCES ${name}.cpp)
    endif()
    if(NOT ARG_LABELS)
        set(ARG_LABELS unit)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE kelvara_testframework ${ARG_LIBRARIES})
    add_test(NAME ${name} COMMAND ${name})
    if(ARG_DEMO_DATA)
        foreach(data kelvara_demodata kelvara_simulator_catalogue)
            if(TARGET ${data})
                add_dependencies(${name} ${data})
            endif()
        endforeach()
        target_compile_definitions(${name} PRIVATE KELVARA_DEMO_DATA_DIR="${KELVARA_DEMO_DATA_DIR}")
    endif()
    set(home "${CMAKE_BINARY_DIR}/testhome/${name}")
    file(MAKE_DIRECTORY ${home}/tmp ${home}/run)
    file(CHMOD ${home}/run DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)
    set_tests_properties(${name} PROPERTIES
        LABELS "${ARG_LABELS}"
        TIMEOUT 300
        ENVIRONMENT "QT_QPA_PLATFORM=offscreen;HOME=${home};TMPDIR=${home}/tmp;XDG_RUNTIME_DIR=${home}/run;KELVARA_DOCUMENTS_DIR=;QTWEBENGINE_DISABLE_SANDBOX=1")
endfunction()

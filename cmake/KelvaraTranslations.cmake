# kelvara_compile_translations(<output-dir> <out-var> <ts files...>)
# Compiles Qt Linguist sources into .qm files with lrelease at build time.
function(kelvara_compile_translations output_dir out_var)
    set(outputs)
    foreach(ts ${ARGN})
        get_filename_component(stem ${ts} NAME_WE)
        set(qm ${output_dir}/${stem}.qm)
        add_custom_command(OUTPUT ${qm}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${output_dir}
            COMMAND Qt6::lrelease -silent ${ts} -qm ${qm}
            DEPENDS ${ts}
            VERBATIM)
        list(APPEND outputs ${qm})
    endforeach()
    set(${out_var} ${outputs} PARENT_SCOPE)
endfunction()

# kelvara_add_translation_update(<target> <ts files...>)
# A target that collects the user-visible texts of the scenes (Gui/) and of the
# C++ sources (src/: qsTr, tr, QCoreApplication::translate, QT_TRANSLATE_NOOP)
# into the Linguist sources; run it by hand after texts change, then translate
# the new entries.
function(kelvara_add_translation_update target)
    add_custom_target(${target}
        COMMAND Qt6::lupdate -locations none ${CMAKE_SOURCE_DIR}/Gui ${CMAKE_SOURCE_DIR}/src -ts ${ARGN}
        WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
        COMMENT "Collecting translatable texts from Gui/ and src/"
        VERBATIM)
endfunction()

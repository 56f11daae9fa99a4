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

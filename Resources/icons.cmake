# The icon set, painted by the toolbox at 96 pixels (the Copy module's list
# icons and program-group pictograms at 128):
# `kelvara-tool icon NAME OUT.png` -> :/Resources/Images/NAME.png
set(KELVARA_ICONS
    halvo_connected halvo_disconnected qelo3_connected qelo3_disconnected
    module_menu user language info
    module_copy module_update module_chrono module_contact kelvara_mark)
set(KELVARA_LARGE_ICONS)
foreach(icon akkordeon_open akkordeon_close checkbox_complete checkbox_empty herunterladen database)
    list(APPEND KELVARA_LARGE_ICONS 128x128_content-elemente/${icon})
endforeach()
foreach(icon allgemein derma gastro gyn hno kardio neuro neutral ophta pneu urologie user)
    list(APPEND KELVARA_LARGE_ICONS CopyModul/Programmgruppen/pg_${icon})
endforeach()
foreach(icon ${KELVARA_ICONS} ${KELVARA_LARGE_ICONS})
    set(out ${GEN}/Resources/Images/${icon}.png)
    get_filename_component(out_dir ${out} DIRECTORY)
    if(icon IN_LIST KELVARA_LARGE_ICONS)
        set(size 128)
    else()
        set(size 96)
    endif()
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${KELVARA_TOOL} icon ${icon} ${out} ${size}
        DEPENDS kelvara-tool
        COMMENT "Painting icon ${icon}"
        VERBATIM)
    list(APPEND EXTRA_GENERATED ${out})
endforeach()

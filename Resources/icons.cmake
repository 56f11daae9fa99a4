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

# The program editor's instrument images (white for its rows, grey for the
# catalogue menus) for every "Icon" the catalogues name, and the activation
# images; painted by one call per folder.
set(KELVARA_INSTRUMENT_ICONS monopolar.png)
foreach(catalogue ${CMAKE_CURRENT_LIST_DIR}/Catalogue/instruments.ini.txt
                  ${CMAKE_SOURCE_DIR}/tools/simulators/catalogue/instruments.ini.txt)
    file(STRINGS ${catalogue} icon_lines REGEX "^Icon=")
    foreach(line ${icon_lines})
        string(REGEX REPLACE "^Icon=[ ]*" "" icon "${line}")
        list(APPEND KELVARA_INSTRUMENT_ICONS ${icon})
    endforeach()
endforeach()
list(REMOVE_DUPLICATES KELVARA_INSTRUMENT_ICONS)
set(KELVARA_ACTIVATION_ICONS aktivierungsart_weiss_no_activation)
foreach(activation hand 1FuS 2FuS 2FuS_CUT 2FuS_COAG autostart autostop)
    list(APPEND KELVARA_ACTIVATION_ICONS aktivierungsart_weiss_${activation} aktivierungsart_grau_${activation})
endforeach()
set(instrument_names)
set(instrument_outputs)
foreach(icon ${KELVARA_INSTRUMENT_ICONS})
    foreach(variant weiss grau)
        list(APPEND instrument_names CopyModul/Instrumente/instrument_${variant}_${icon})
        list(APPEND instrument_outputs ${GEN}/Resources/Images/CopyModul/Instrumente/instrument_${variant}_${icon})
    endforeach()
endforeach()
set(activation_names)
set(activation_outputs)
foreach(icon ${KELVARA_ACTIVATION_ICONS})
    list(APPEND activation_names CopyModul/Aktivierungselemente/${icon})
    list(APPEND activation_outputs ${GEN}/Resources/Images/CopyModul/Aktivierungselemente/${icon}.png)
endforeach()
add_custom_command(OUTPUT ${instrument_outputs} ${activation_outputs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GEN}/Resources/Images/CopyModul/Instrumente
            ${GEN}/Resources/Images/CopyModul/Aktivierungselemente
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${KELVARA_TOOL} icon batch
            ${GEN}/Resources/Images 128 ${instrument_names}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${KELVARA_TOOL} icon batch
            ${GEN}/Resources/Images 96 ${activation_names}
    DEPENDS kelvara-tool
    COMMENT "Painting the instrument and activation images"
    VERBATIM)
list(APPEND EXTRA_GENERATED ${instrument_outputs} ${activation_outputs})

# The icon set, painted by the toolbox at 96 pixels:
# `kelvara-tool icon NAME OUT.png` -> :/Resources/Images/NAME.png
set(KELVARA_ICONS
    halvo_connected halvo_disconnected qelo3_connected qelo3_disconnected
    module_menu user language info
    module_copy module_update module_chrono module_contact kelvara_mark)
foreach(icon ${KELVARA_ICONS})
    set(out ${GEN}/Resources/Images/${icon}.png)
    add_custom_command(OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${GEN}/Resources/Images
        COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${KELVARA_TOOL} icon ${icon} ${out} 96
        DEPENDS kelvara-tool
        COMMENT "Painting icon ${icon}"
        VERBATIM)
    list(APPEND EXTRA_GENERATED ${out})
endforeach()

# kelvara_track_globbed_sources(<target> <sources...>)
#
# Targets that glob their sources must re-run moc when a header is added.
# The autogen step does not notice a changed source list by itself, so the
# list is written to a file it depends on; the file changes only when the
# list does.
function(kelvara_track_globbed_sources target)
    set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
    string(REPLACE ";" "\n" content "${ARGN}")
    file(CONFIGURE OUTPUT ${list_file} CONTENT "${content}\n" @ONLY)
    set_property(TARGET ${target} APPEND PROPERTY AUTOGEN_TARGET_DEPENDS ${list_file})
endfunction()

# kelvara_track_globbed_sources(<target> <sources...>)
#
# Targets that glob their sources must re-run moc when a header is added. The
# autogen step of CMake 3.25 with Ninja does not notice a changed source list
# (its stamp depends on the list only order-only), so when the list differs
# from the previous configure run, the stamp is removed here and the next
# build regenerates the moc files.
function(kelvara_track_globbed_sources target)
    set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_sources.txt)
    string(REPLACE ";" "\n" content "${ARGN}")
    set(previous "")
    if(EXISTS ${list_file})
        file(READ ${list_file} previous)
    endif()
    if(NOT previous STREQUAL "${content}\n")
        file(WRITE ${list_file} "${content}\n")
        file(REMOVE ${CMAKE_CURRENT_BINARY_DIR}/${target}_autogen/timestamp)
    endif()
endfunction()

# User-set data: the instrument catalogue and the general templates.

# kelvara_build_instrument_catalogue(<output> <readable sources...>)
# Joins the readable sources (later ones may add or redefine types) and
# encrypts them into <output>. A newer catalogue is the built-in source plus
# an addendum, under a file name that carries its date and version.
set(KELVARA_CATALOGUE_JOIN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/Catalogue/JoinSources.cmake CACHE INTERNAL "")
set(KELVARA_CATALOGUE_SOURCE ${CMAKE_CURRENT_LIST_DIR}/Catalogue/instruments.ini.txt CACHE INTERNAL "")

function(kelvara_build_instrument_catalogue output)
    set(sources ${ARGN})
    string(REPLACE ";" "|" joined_list "${sources}")
    get_filename_component(name ${output} NAME)
    get_filename_component(folder ${output} DIRECTORY)
    set(joined ${CMAKE_CURRENT_BINARY_DIR}/catalogue/${name}.txt)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/catalogue ${folder}
        COMMAND ${CMAKE_COMMAND} -DOUTPUT=${joined} -DSOURCES=${joined_list}
                -P ${KELVARA_CATALOGUE_JOIN_SCRIPT}
        COMMAND $<TARGET_FILE:kelvara-tool> settings encrypt ${joined} ${output}
        DEPENDS kelvara-tool ${sources} ${KELVARA_CATALOGUE_JOIN_SCRIPT}
        COMMENT "Building the instrument catalogue ${name}"
        VERBATIM)
endfunction()

set(KELVARA_BUILTIN_CATALOGUE ${GEN}/Resources/Config/kelvara_copy_instruments_230515_000000_V140.ini)
kelvara_build_instrument_catalogue(${KELVARA_BUILTIN_CATALOGUE} ${KELVARA_CATALOGUE_SOURCE})
list(APPEND EXTRA_GENERATED ${KELVARA_BUILTIN_CATALOGUE})

# The general templates are readable XML compiled in as they are.
file(GLOB KELVARA_USERSET_TEMPLATES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/UserSets/*.xml)
list(APPEND EXTRA_STATIC ${KELVARA_USERSET_TEMPLATES})

# The built-in authorization matrix: Config/AuthorizationMatrix.txt -> :/Resources/Config/AuthorizationMatrix
set(MATRIX_SOURCE ${CMAKE_CURRENT_SOURCE_DIR}/Config/AuthorizationMatrix.txt)
set(MATRIX_OUTPUT ${GEN}/Resources/Config/AuthorizationMatrix)
add_custom_command(OUTPUT ${MATRIX_OUTPUT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GEN}/Resources/Config
    COMMAND ${KELVARA_TOOL} matrix build ${MATRIX_SOURCE} ${MATRIX_OUTPUT}
    DEPENDS kelvara-tool ${MATRIX_SOURCE}
    COMMENT "Building AuthorizationMatrix"
    VERBATIM)
list(APPEND EXTRA_GENERATED ${MATRIX_OUTPUT})

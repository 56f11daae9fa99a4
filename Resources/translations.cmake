# User-interface translations: Resources/Translations/*.ts -> :/Resources/Translations/*.qm
include(${CMAKE_SOURCE_DIR}/cmake/KelvaraTranslations.cmake)
file(GLOB KELVARA_TS_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Translations/*.ts)
kelvara_compile_translations(${GEN}/Resources/Translations KELVARA_QM_FILES ${KELVARA_TS_FILES})
list(APPEND EXTRA_GENERATED ${KELVARA_QM_FILES})
kelvara_add_translation_update(kelvara_update_translations ${KELVARA_TS_FILES})

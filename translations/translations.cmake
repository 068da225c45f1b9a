# The program's texts are written in Czech in the sources; zrn_<lang>.ts hold
# the other languages (Qt Linguist files). They are compiled to .qm files and
# embedded in the program under ":/i18n/", so the package ships them inside
# the executable and a build tree runs with them too.
#
#   cmake --build build --target zrn_lupdate   # brings zrn_en.ts up to date with the sources
#
# Every build (ALL) checks that the committed .ts files hold every text of the
# sources translated and nothing that is gone: see check-ts.cmake.
set(ZRN_TS_FILES ${CMAKE_SOURCE_DIR}/translations/zrn_en.ts)
set(ZRN_QM_DIR ${CMAKE_BINARY_DIR}/translations)
set_source_files_properties(${ZRN_TS_FILES} PROPERTIES OUTPUT_LOCATION ${ZRN_QM_DIR})
qt5_add_translation(ZRN_QM_FILES ${ZRN_TS_FILES})

set(qrc_body "<RCC>\n  <qresource prefix=\"/i18n\">\n")
foreach(qm ${ZRN_QM_FILES})
  get_filename_component(qm_name ${qm} NAME)
  string(APPEND qrc_body "    <file alias=\"${qm_name}\">${qm}</file>\n")
endforeach()
string(APPEND qrc_body "  </qresource>\n</RCC>\n")
file(CONFIGURE OUTPUT ${ZRN_QM_DIR}/translations.qrc CONTENT "${qrc_body}")
qt5_add_resources(ZRN_QM_RESOURCES ${ZRN_QM_DIR}/translations.qrc)
list(APPEND ZRN_CORE_SOURCES ${ZRN_QM_RESOURCES})

# What lupdate reads: every source and header of the program and the forms.
# The demo data and zrnctl (a command-line tool for administrators) stay Czech.
file(GLOB ZRN_TR_FORMS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/forms/*.ui)
set(ZRN_TR_SOURCES ${CMAKE_SOURCE_DIR}/app/main.cpp ${ZRN_TR_FORMS})
foreach(src ${ZRN_CORE_SOURCES} ${ZRN_GUI_SOURCES})
  if(src MATCHES "\\.(cpp|h)$" AND src MATCHES "^${CMAKE_SOURCE_DIR}/" AND NOT src MATCHES "^${CMAKE_BINARY_DIR}/"
     AND NOT src MATCHES "/tools/demodata/")
    list(APPEND ZRN_TR_SOURCES ${src})
  endif()
endforeach()
list(SORT ZRN_TR_SOURCES)
string(REPLACE ";" "\n" tr_list "${ZRN_TR_SOURCES}")
file(CONFIGURE OUTPUT ${ZRN_QM_DIR}/sources.lst CONTENT "${tr_list}\n")
set(ZRN_LUPDATE_OPTIONS -locations none -I ${CMAKE_SOURCE_DIR})

add_custom_target(zrn_lupdate
  COMMAND Qt5::lupdate -silent -no-obsolete ${ZRN_LUPDATE_OPTIONS} @${ZRN_QM_DIR}/sources.lst -ts ${ZRN_TS_FILES}
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Updating the translation files from the sources" VERBATIM)

add_custom_command(OUTPUT ${ZRN_QM_DIR}/ts-checked.stamp
  COMMAND ${CMAKE_COMMAND} -DLUPDATE=$<TARGET_FILE:Qt5::lupdate> "-DOPTIONS=${ZRN_LUPDATE_OPTIONS}"
          -DLIST=${ZRN_QM_DIR}/sources.lst "-DTS_FILES=${ZRN_TS_FILES}" -DWORK=${ZRN_QM_DIR}/check
          -P ${CMAKE_SOURCE_DIR}/translations/check-ts.cmake
  COMMAND ${CMAKE_COMMAND} -E touch ${ZRN_QM_DIR}/ts-checked.stamp
  DEPENDS ${ZRN_TR_SOURCES} ${ZRN_TS_FILES} ${ZRN_QM_DIR}/sources.lst ${CMAKE_SOURCE_DIR}/translations/check-ts.cmake
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
  COMMENT "Checking that every text of the program has its translation" VERBATIM)
add_custom_target(zrn_translations_check ALL DEPENDS ${ZRN_QM_DIR}/ts-checked.stamp)

# Sources of outputs/: reports, CSV export, map, browser.
# core: no widgets (the tests and zrnctl link it); gui: the rest.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/csvexport.h
  ${CMAKE_CURRENT_LIST_DIR}/csvexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapdocument.h
  ${CMAKE_CURRENT_LIST_DIR}/mapdocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapprint.h
  ${CMAKE_CURRENT_LIST_DIR}/mapprint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/reports.h
  ${CMAKE_CURRENT_LIST_DIR}/reports.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fakturacestore.h
  ${CMAKE_CURRENT_LIST_DIR}/fakturacestore.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/maintabs.h
  ${CMAKE_CURRENT_LIST_DIR}/maintabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sestavytab.h
  ${CMAKE_CURRENT_LIST_DIR}/sestavytab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prohlizectab.h
  ${CMAKE_CURRENT_LIST_DIR}/prohlizectab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogcsvform.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogcsvform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogmapa.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogmapa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapexport.h
  ${CMAKE_CURRENT_LIST_DIR}/mapexport.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fakturacetab.h
  ${CMAKE_CURRENT_LIST_DIR}/fakturacetab.cpp
)

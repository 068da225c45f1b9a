# Sources of outputs/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/fakturacestore.h
  ${CMAKE_CURRENT_LIST_DIR}/fakturacestore.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/sestavytab.h
  ${CMAKE_CURRENT_LIST_DIR}/sestavytab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prohlizectab.h
  ${CMAKE_CURRENT_LIST_DIR}/prohlizectab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fakturacetab.h
  ${CMAKE_CURRENT_LIST_DIR}/fakturacetab.cpp
)
# Each output lists its own files beside this one.
include(${CMAKE_CURRENT_LIST_DIR}/reports.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/csvexport.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/mapexport.cmake OPTIONAL)

# The CSV export: the file builder without widgets, the dialog and the entry point.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/csvexport.h
  ${CMAKE_CURRENT_LIST_DIR}/csvexport.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dialogcsvform.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogcsvform.cpp
)

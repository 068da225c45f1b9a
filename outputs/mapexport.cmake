# The map: GeoJSON document and service requests (no widgets), the rule and
# export dialogs and the entry point of the main window.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/mapdocument.h
  ${CMAKE_CURRENT_LIST_DIR}/mapdocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapprint.h
  ${CMAKE_CURRENT_LIST_DIR}/mapprint.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dialogmapa.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogmapa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mapexport.h
  ${CMAKE_CURRENT_LIST_DIR}/mapexport.cpp
)

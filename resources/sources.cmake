# Pictures served under ":/pics/" (drawn by make-pics.sh).
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/resources.qrc
)
list(APPEND ZRN_GUI_SOURCES ${CMAKE_CURRENT_LIST_DIR}/map/map.qrc)

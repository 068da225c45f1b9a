# Sources of the attachment list of events (gui)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/qsattachment.h
  ${CMAKE_CURRENT_LIST_DIR}/qsattachment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tailbuttonsdelegate.h
  ${CMAKE_CURRENT_LIST_DIR}/tailbuttonsdelegate.cpp
)

# The users and control-panel tabs: their shared list and the two dialogs.
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/adminlist.h
  ${CMAKE_CURRENT_LIST_DIR}/adminlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogauuzivatel.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogauuzivatel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogaucp.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogaucp.cpp
)

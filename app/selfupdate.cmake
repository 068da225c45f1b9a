# The release check at start-up (needs the info dialog, so with the widgets).
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/selfupdate.h
  ${CMAKE_CURRENT_LIST_DIR}/selfupdate.cpp
)

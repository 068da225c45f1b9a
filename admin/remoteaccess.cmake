# Remote access: the viewers' command lines and statements (no widgets).
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/remoteviewer.h
  ${CMAKE_CURRENT_LIST_DIR}/remoteviewer.cpp
)

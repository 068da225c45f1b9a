# Sources of admin/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pristupypage.h
  ${CMAKE_CURRENT_LIST_DIR}/pristupypage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/remoteaccesspage.h
  ${CMAKE_CURRENT_LIST_DIR}/remoteaccesspage.cpp
)

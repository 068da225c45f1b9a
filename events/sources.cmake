# Sources of events/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/categories.h
  ${CMAKE_CURRENT_LIST_DIR}/categories.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventlist.h
  ${CMAKE_CURRENT_LIST_DIR}/eventlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventpane.h
  ${CMAKE_CURRENT_LIST_DIR}/eventpane.cpp
  ${CMAKE_CURRENT_LIST_DIR}/udalostipage.h
  ${CMAKE_CURRENT_LIST_DIR}/udalostipage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/udalostitab.h
  ${CMAKE_CURRENT_LIST_DIR}/udalostitab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.h
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.cpp
)

# Sources of events/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/staff.h
  ${CMAKE_CURRENT_LIST_DIR}/eciselniky.h
  ${CMAKE_CURRENT_LIST_DIR}/eciselniky.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dialogauoouzivatel.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogauoouzivatel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventpane.h
  ${CMAKE_CURRENT_LIST_DIR}/eventpane.cpp
  ${CMAKE_CURRENT_LIST_DIR}/udalostipage.h
  ${CMAKE_CURRENT_LIST_DIR}/udalostipage.cpp
)

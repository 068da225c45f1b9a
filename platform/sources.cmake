# Sources of platform/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/launcher.h
  ${CMAKE_CURRENT_LIST_DIR}/launcher.cpp
)
list(APPEND ZRN_GUI_SOURCES
)

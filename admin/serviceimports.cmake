# The service jobs of the users tab, without widgets (the tab runs them).
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/serviceimports.h
  ${CMAKE_CURRENT_LIST_DIR}/serviceimports.cpp
)

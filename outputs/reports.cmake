# The HTML reports of the "Sestavy" tab (no widgets; the tab itself is in sources.cmake).
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/reports.h
  ${CMAKE_CURRENT_LIST_DIR}/reports.cpp
)

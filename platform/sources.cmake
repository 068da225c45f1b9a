# Sources of platform/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/launcher.h
  ${CMAKE_CURRENT_LIST_DIR}/launcher.cpp
)
list(APPEND ZRN_GUI_SOURCES
)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/processes.h
  ${CMAKE_CURRENT_LIST_DIR}/processes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/updatescript.h
  ${CMAKE_CURRENT_LIST_DIR}/updatescript.cpp
)

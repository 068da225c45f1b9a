# Sources of events/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/eventcodes.h
  ${CMAKE_CURRENT_LIST_DIR}/eventcodes.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/categories.h
  ${CMAKE_CURRENT_LIST_DIR}/categories.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventlist.h
  ${CMAKE_CURRENT_LIST_DIR}/eventlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventpane.h
  ${CMAKE_CURRENT_LIST_DIR}/eventpane.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventthreads.h
  ${CMAKE_CURRENT_LIST_DIR}/eventthreads.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventworker.h
  ${CMAKE_CURRENT_LIST_DIR}/eventworker.cpp
  ${CMAKE_CURRENT_LIST_DIR}/udalostipage.h
  ${CMAKE_CURRENT_LIST_DIR}/udalostipage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/udalostitab.h
  ${CMAKE_CURRENT_LIST_DIR}/udalostitab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.h
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.cpp
)
# The attachment list and the event dialogs keep their own lists.
include(${CMAKE_CURRENT_LIST_DIR}/attachments.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/dialogs.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/store.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/calendar.cmake OPTIONAL)

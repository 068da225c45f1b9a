# The statements of events and the thread model of both lists (no widgets).
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/eventrecord.h
  ${CMAKE_CURRENT_LIST_DIR}/eventstore.h
  ${CMAKE_CURRENT_LIST_DIR}/eventstore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventtreemodel.h
  ${CMAKE_CURRENT_LIST_DIR}/eventtreemodel.cpp
)

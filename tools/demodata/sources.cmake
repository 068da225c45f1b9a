# The demo-data generator: a tool of zrnctl, the benchmarks and the first
# start of the embedded database (no widgets).
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/demodata.h
  ${CMAKE_CURRENT_LIST_DIR}/demodata.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demodata_centres.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demodata_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/demodata_lists.h
  ${CMAKE_CURRENT_LIST_DIR}/demodata_p.h
  ${CMAKE_CURRENT_LIST_DIR}/demodata_support.h
)

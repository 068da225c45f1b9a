# The calendar export: events as an iCalendar file (libical; no widgets),
# and the list buttons that write it.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calendarexport.h
  ${CMAKE_CURRENT_LIST_DIR}/calendarexport.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calendarbutton.h
  ${CMAKE_CURRENT_LIST_DIR}/calendarbutton.cpp
)

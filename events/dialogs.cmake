# The event dialogs: adding an event or a reply, and the filter choosers.
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/checklistdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/checklistdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogkategorie.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogkategorie.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogoo.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogoo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogauudalost.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogauudalost.cpp
)

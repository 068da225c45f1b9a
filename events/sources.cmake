# Sources of events/: the event log: store and thread model, lists, pane, dialogs, attachments.
# core: no widgets (the tests and zrnctl link it); gui: the rest.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/attachmentstore.h
  ${CMAKE_CURRENT_LIST_DIR}/attachmentstore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventrecord.h
  ${CMAKE_CURRENT_LIST_DIR}/eventstore.h
  ${CMAKE_CURRENT_LIST_DIR}/eventstore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventtreemodel.h
  ${CMAKE_CURRENT_LIST_DIR}/eventtreemodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/eventcodes.h
  ${CMAKE_CURRENT_LIST_DIR}/eventcodes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calendarexport.h
  ${CMAKE_CURRENT_LIST_DIR}/calendarexport.cpp
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
  ${CMAKE_CURRENT_LIST_DIR}/qsattachment.h
  ${CMAKE_CURRENT_LIST_DIR}/qsattachment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tailbuttonsdelegate.h
  ${CMAKE_CURRENT_LIST_DIR}/tailbuttonsdelegate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/checklistdialog.h
  ${CMAKE_CURRENT_LIST_DIR}/checklistdialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogkategorie.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogkategorie.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogoo.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogoo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogauudalost.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogauudalost.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calendarbutton.h
  ${CMAKE_CURRENT_LIST_DIR}/calendarbutton.cpp
)

# Suites of tests/events/.
# Events: the attachment list - pending files, limits, open/save, writing to the database.
zrn_add_test(tst_attachments DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_attachments.cpp)

# Events: the dialog that adds an event or a reply.
zrn_add_test(tst_dialogauudalost DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_dialogauudalost.cpp)

# Events: responsible persons - the code lists, the person chooser and the
# filter choosers of the event lists (categories, persons).
zrn_add_test(tst_persons DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_persons.cpp)

# Events: the thread lists' filters and statement, one event's read and
# save, new events and replies, deletes - on SQLite and MariaDB.
zrn_add_test(tst_eventstore DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_eventstore.cpp)
# Events: both lists with their pane and actions, against a stand-in of the
# event service; the empty pane's form and its optional widgets.
zrn_add_test(tst_eventlists DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_eventlists.cpp)
# Events: the calendar export read back by libical.
zrn_add_test(tst_calendarexport DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_calendarexport.cpp)

# Events: the thread lists' filters and statement, one event's read and
# save, new events and replies, deletes - on SQLite and MariaDB.
zrn_add_test(tst_eventstore DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_eventstore.cpp)
# Events: both lists with their pane and actions, against a stand-in of the
# event service.
zrn_add_test(tst_eventlists DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_eventlists.cpp)
# Events: the calendar export read back by libical.
zrn_add_test(tst_calendarexport DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_calendarexport.cpp)

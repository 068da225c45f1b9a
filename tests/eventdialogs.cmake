# Events: the filter choosers of the event lists (categories, persons).
zrn_add_test(tst_choicedialogs GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_choicedialogs.cpp)
# Events: the dialog that adds an event or a reply.
zrn_add_test(tst_dialogauudalost DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_dialogauudalost.cpp)

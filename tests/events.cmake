# Events: responsible persons - the code lists, the person chooser and the
# enterprise page's person field against the database.
zrn_add_test(tst_persons DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_persons.cpp)
# Events: the enterprise's event page - form, list columns, optional pane widgets.
zrn_add_test(tst_udalostipage GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_udalostipage.cpp)

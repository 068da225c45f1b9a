# Events: the attachment list - pending files, limits, open/save, writing to the database.
zrn_add_test(tst_attachments DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/events/tst_attachments.cpp)

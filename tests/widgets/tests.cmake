# Suites of tests/widgets/.
# Form widgets of the pages: date edit, edit with a button, rich-text tool bar,
# and the date/temp-folder helpers they rest on.
zrn_add_test(tst_widgets SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_widgets.cpp GUI)

# Suites of tests/core/.
# Core: the generic table, list, text and progress dialogs every subsystem uses.
zrn_add_test(tst_tabledialogs DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_tabledialogs.cpp)
# What a restricted user sees in the tree, the event lists, the reports, the
# map and the CSV export.
zrn_add_test(tst_visibility DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_visibility.cpp)

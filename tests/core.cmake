# Core: the generic table, list, text and progress dialogs every subsystem uses.
zrn_add_test(tst_tabledialogs DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/core/tst_tabledialogs.cpp)

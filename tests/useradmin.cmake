# The users and control-panel tabs with their dialogs and service buttons,
# against the database.
zrn_add_test(tst_useradmin DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/admin/tst_useradmin.cpp)

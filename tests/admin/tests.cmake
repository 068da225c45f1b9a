# Suites of tests/admin/.
# Launching the remote-access viewers (stand-in programs record their command
# line), the audit row of a VNC launch and the generated VNC id.
zrn_add_test(tst_remotelaunch DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_remotelaunch.cpp)

# The service jobs of the users tab against the database and malformed files.
zrn_add_test(tst_serviceimports DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_serviceimports.cpp)

# The users and control-panel tabs with their dialogs and service buttons,
# against the database.
zrn_add_test(tst_useradmin DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_useradmin.cpp)

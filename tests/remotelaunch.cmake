# Launching the remote-access viewers (stand-in programs record their command
# line), the audit row of a VNC launch and the generated VNC id.
zrn_add_test(tst_remotelaunch DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/admin/tst_remotelaunch.cpp)

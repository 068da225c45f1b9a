# The remote-access page against the database: rights, load and save of the
# eight connections of a centre.
zrn_add_test(tst_remoteaccess DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_remoteaccess.cpp)

# The service jobs of the users tab against the database and malformed files.
zrn_add_test(tst_serviceimports DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/admin/tst_serviceimports.cpp)

zrn_add_test(tst_qssql DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/db/tst_qssql.cpp)
zrn_add_test(tst_dbopen SOURCES ${CMAKE_CURRENT_LIST_DIR}/db/tst_dbopen.cpp)

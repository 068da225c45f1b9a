zrn_add_test(tst_demodata DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/db/tst_demodata.cpp)

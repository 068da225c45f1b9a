# Suites of tests/db/.
zrn_add_test(tst_qssql DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qssql.cpp)
zrn_add_test(tst_dbopen SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_dbopen.cpp)

zrn_add_test(tst_demodata DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_demodata.cpp)

# Service clients (maker's service, downloads, ARES) against the loopback stub.
zrn_add_test(services_api SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qsapitellmark.cpp)
zrn_add_test(services_download SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qsdownloadmanager.cpp)
zrn_add_test(services_ares SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qsares.cpp)

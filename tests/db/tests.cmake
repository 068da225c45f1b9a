# Suites of tests/db/.
# The query object on both backends: bound values, the MySQL functions of the embedded backend, dates,
# units of work and surviving a restart of the server.
zrn_add_test(tst_qssql DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qssql.cpp)
# Opening the database: the settings file, the embedded file made on first start, the messages for what cannot open.
zrn_add_test(tst_dbopen SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_dbopen.cpp)

# The demo data on both backends: the numbers asked for, references that hold, values the pages know,
# users that can log in, the same data for a seed.
zrn_add_test(tst_demodata DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_demodata.cpp)

# Service clients against the loopback stub: the maker's service (the local mode too); the download queue
# (a file arrives whole or not at all, an existing file survives a failed download, mirrors, checksums);
# the ARES look-up (the address shapes ARES gives, "not found", failed look-ups leave nothing to store).
zrn_add_test(services_api SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qsapitellmark.cpp)
zrn_add_test(services_download SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qsdownloadmanager.cpp)
zrn_add_test(services_ares SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_qsares.cpp)

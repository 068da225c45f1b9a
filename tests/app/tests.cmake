# Suites of tests/app/.
# The release check at start-up against the loopback stub: download, checks
# of the package, the update script (written and run), the process table.
zrn_add_test(tst_selfupdate GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_selfupdate.cpp)

# Suites of tests/register/.
# The centre pages against the database (SQLite and MariaDB); the map of the
# GPS page and its address under Xvfb.
zrn_add_test(tst_centrepages DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_centrepages.cpp)
zrn_add_test(tst_gpsview XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_gpsview.cpp)
# Two users editing the same rows: clashes, the change history.
zrn_add_test(tst_teamedit DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_teamedit.cpp)

# The enterprise page and the register tab: text rules and the page sets
# (no database), the enterprise page against the database, the tab with the
# tree and its pages.
zrn_add_test(tst_pagesrules SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_pagesrules.cpp)
zrn_add_test(tst_podnikpage DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_podnikpage.cpp)
zrn_add_test(tst_evidencetab DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_evidencetab.cpp)

# The remote-access page against the database: rights, load and save of the
# eight connections of a centre.
zrn_add_test(tst_remoteaccess DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_remoteaccess.cpp)

# The enterprise tree: search keys, statement, proxy, model shapes, counters
# and sort keys (no database); the statement on the database and the tree widget.
zrn_add_test(tst_treecore SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_treecore.cpp)
zrn_add_test(tst_podnikytree DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_podnikytree.cpp)
# The advanced filter: condition, selection, stored state, restricted users.
zrn_add_test(tst_filtr DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_filtr.cpp)
# Adding, renaming and deleting enterprises and centres (ARES through a stub).
zrn_add_test(tst_maintenance DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_maintenance.cpp)

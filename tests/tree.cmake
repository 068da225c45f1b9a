# The enterprise tree: search keys, statement, proxy, model shapes, counters
# and sort keys (no database); the statement on the database and the tree widget.
zrn_add_test(tst_treecore SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_treecore.cpp)
zrn_add_test(tst_podnikytree DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_podnikytree.cpp)
# The advanced filter: condition, selection, stored state, restricted users.
zrn_add_test(tst_filtr DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_filtr.cpp)
# Adding, renaming and deleting enterprises and centres (ARES through a stub).
zrn_add_test(tst_maintenance DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_maintenance.cpp)

# The enterprise tree: search keys, statement, proxy, model shapes, counters
# and sort keys (no database); the statement on the database and the tree widget.
zrn_add_test(tst_treecore SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_treecore.cpp)
zrn_add_test(tst_podnikytree DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_podnikytree.cpp)

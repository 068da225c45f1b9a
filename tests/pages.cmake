# The enterprise page and the register tab: text rules and the page sets
# (no database), the enterprise page against the database, the tab with the
# tree and its pages.
zrn_add_test(tst_pagesrules SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_pagesrules.cpp)
zrn_add_test(tst_podnikpage DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_podnikpage.cpp)
zrn_add_test(tst_evidencetab DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_evidencetab.cpp)

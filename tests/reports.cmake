# The reports of the "Sestavy" tab: the HTML of each report over a seeded
# database; the tab's view and printing in a real web view.
zrn_add_test(tst_reports DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/outputs/tst_reports.cpp)
zrn_add_test(tst_sestavytab DB XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/outputs/tst_sestavytab.cpp)

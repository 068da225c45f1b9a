# Suites of tests/outputs/.
# The CSV export: titles, fields, dates, encodings, order, one statement, the
# contracts login, the dialog's remembered choices and the written file.
zrn_add_test(tst_csvexport DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_csvexport.cpp)

# The map: the GeoJSON document on the database; the browser tab with the web
# channel, the self-drawn map and the map service (a web view: Xvfb).
zrn_add_test(tst_mapdocument DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mapdocument.cpp)
zrn_add_test(tst_browser DB XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_browser.cpp)

# The reports of the "Sestavy" tab: the HTML of each report over a seeded
# database; the tab's view and printing in a real web view.
zrn_add_test(tst_reports DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_reports.cpp)
zrn_add_test(tst_sestavytab DB XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_sestavytab.cpp)

# The "Fakturace" tab: contracts, filters, rights, totals per currency and
# the CSV file read back.
zrn_add_test(tst_fakturace DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_fakturace.cpp)

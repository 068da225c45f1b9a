# The map: the GeoJSON document on the database; the browser tab with the web
# channel, the self-drawn map and the map service (a web view: Xvfb).
zrn_add_test(tst_mapdocument DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/outputs/tst_mapdocument.cpp)
zrn_add_test(tst_browser DB XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/outputs/tst_browser.cpp)

# The centre pages: widget-free rules; the pages against the database (SQLite
# and MariaDB); the map view of the GPS page under Xvfb.
zrn_add_test(tst_centrecore SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_centrecore.cpp)
zrn_add_test(tst_centrepages DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_centrepages.cpp)
zrn_add_test(tst_gpsview XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_gpsview.cpp)

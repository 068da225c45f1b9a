# The centre pages against the database (SQLite and MariaDB); the map of the
# GPS page and its address under Xvfb.
zrn_add_test(tst_centrepages DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_centrepages.cpp)
zrn_add_test(tst_gpsview XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_gpsview.cpp)
# Two users editing the same rows: clashes, the change history.
zrn_add_test(tst_teamedit DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/register/tst_teamedit.cpp)

# Suites of tests/shell/.
# The application shell: the settings store, the window layout and the user
# page (no database), the sign-in against the database, the main window with
# its tabs, rights and saved layout (web views: under Xvfb).
zrn_add_test(tst_usersettings GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_usersettings.cpp)
zrn_add_test(tst_login DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_login.cpp
                                      ${CMAKE_CURRENT_LIST_DIR}/shellfixtures.h)
zrn_add_test(tst_mainwindow DB XVFB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_mainwindow.cpp
                                            ${CMAKE_CURRENT_LIST_DIR}/shellfixtures.h)
# Czech sorting and dialog texts on a machine without a Czech locale.
zrn_add_test(tst_locale GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_locale.cpp)
set_property(TEST tst_locale APPEND PROPERTY ENVIRONMENT "LANG=C" "LC_ALL=C" "LANGUAGE=")

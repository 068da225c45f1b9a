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
# Where the window opens and whether the pages fit, on two real screen sizes.
foreach(screen 1366x768 1920x1080)
  set(home ${CMAKE_BINARY_DIR}/testhome/tst_mainwindow_${screen})
  add_test(NAME tst_mainwindow_${screen}
           COMMAND xvfb-run -a -s "-screen 0 ${screen}x24" $<TARGET_FILE:tst_mainwindow> firstStartFitsTheScreen)
  set_tests_properties(tst_mainwindow_${screen} PROPERTIES LABELS "sqlite" TIMEOUT 600 FIXTURES_REQUIRED own_home
    ENVIRONMENT "XDG_CONFIG_HOME=${home}/config;XDG_DATA_HOME=${home}/data;XDG_RUNTIME_DIR=${home}/run;QTWEBENGINE_DISABLE_SANDBOX=1;ZRN_TEST_BACKEND=sqlite;ZRN_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endforeach()

# app/main.cpp is the executable's own source (see the top CMakeLists.txt).
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/session.h
  ${CMAKE_CURRENT_LIST_DIR}/settingskeys.h
  ${CMAKE_CURRENT_LIST_DIR}/usersettings.h
  ${CMAKE_CURRENT_LIST_DIR}/usersettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/login.h
  ${CMAKE_CURRENT_LIST_DIR}/login.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.h
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/page.h
  ${CMAKE_CURRENT_LIST_DIR}/page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewstate.h
  ${CMAKE_CURRENT_LIST_DIR}/viewstate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windowlayout.h
  ${CMAKE_CURRENT_LIST_DIR}/windowlayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/categories.h
  ${CMAKE_CURRENT_LIST_DIR}/categories.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialoguzivatel.h
  ${CMAKE_CURRENT_LIST_DIR}/dialoguzivatel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/usertab.h
  ${CMAKE_CURRENT_LIST_DIR}/usertab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sestavytab.h
  ${CMAKE_CURRENT_LIST_DIR}/sestavytab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/udalostitab.h
  ${CMAKE_CURRENT_LIST_DIR}/udalostitab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/prohlizectab.h
  ${CMAKE_CURRENT_LIST_DIR}/prohlizectab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uzivateletab.h
  ${CMAKE_CURRENT_LIST_DIR}/uzivateletab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controlpaneltab.h
  ${CMAKE_CURRENT_LIST_DIR}/controlpaneltab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.cpp
)

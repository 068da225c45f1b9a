# Sources of app/: the program itself: start-up, login, main window, own user page, self-update (app/main.cpp is the executable's own source, see the top CMakeLists.txt).
# core: no widgets (the tests and zrnctl link it); gui: the rest.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/login.h
  ${CMAKE_CURRENT_LIST_DIR}/login.cpp
  ${CMAKE_CURRENT_LIST_DIR}/startup.h
  ${CMAKE_CURRENT_LIST_DIR}/startup.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/windowlayout.h
  ${CMAKE_CURRENT_LIST_DIR}/windowlayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/windowshortcuts.h
  ${CMAKE_CURRENT_LIST_DIR}/windowshortcuts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialoguzivatel.h
  ${CMAKE_CURRENT_LIST_DIR}/dialoguzivatel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ownusertab.h
  ${CMAKE_CURRENT_LIST_DIR}/ownusertab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.h
  ${CMAKE_CURRENT_LIST_DIR}/mainwindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/selfupdate.h
  ${CMAKE_CURRENT_LIST_DIR}/selfupdate.cpp
)

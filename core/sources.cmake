# Sources of core/: what every subsystem reads (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/session.h
  ${CMAKE_CURRENT_LIST_DIR}/session.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settingskeys.h
  ${CMAKE_CURRENT_LIST_DIR}/ids.h
  ${CMAKE_CURRENT_LIST_DIR}/usersettings.h
  ${CMAKE_CURRENT_LIST_DIR}/usersettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/detailpage.h
  ${CMAKE_CURRENT_LIST_DIR}/detailpage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/richtext.h
  ${CMAKE_CURRENT_LIST_DIR}/richtext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/columnvalues.h
  ${CMAKE_CURRENT_LIST_DIR}/columnvalues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textutil.h
  ${CMAKE_CURRENT_LIST_DIR}/textutil.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qsmysortfilterproxymodel.h
  ${CMAKE_CURRENT_LIST_DIR}/qsmysortfilterproxymodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/centrerecord.h
  ${CMAKE_CURRENT_LIST_DIR}/centrerecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/staff.h
  ${CMAKE_CURRENT_LIST_DIR}/eciselniky.h
  ${CMAKE_CURRENT_LIST_DIR}/eciselniky.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/page.h
  ${CMAKE_CURRENT_LIST_DIR}/page.cpp
  ${CMAKE_CURRENT_LIST_DIR}/centrepage.h
  ${CMAKE_CURRENT_LIST_DIR}/centrepage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/viewstate.h
  ${CMAKE_CURRENT_LIST_DIR}/viewstate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogauoouzivatel.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogauoouzivatel.cpp
)

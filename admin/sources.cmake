# Sources of admin/: administration: remote access, portal access, users and control panel, service imports.
# core: no widgets (the tests and zrnctl link it); gui: the rest.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/userstore.h
  ${CMAKE_CURRENT_LIST_DIR}/userstore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/remoteviewer.h
  ${CMAKE_CURRENT_LIST_DIR}/remoteviewer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/serviceimports.h
  ${CMAKE_CURRENT_LIST_DIR}/serviceimports.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/maintabs.h
  ${CMAKE_CURRENT_LIST_DIR}/maintabs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/portalaccesspage.h
  ${CMAKE_CURRENT_LIST_DIR}/portalaccesspage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/remoteaccesspage.h
  ${CMAKE_CURRENT_LIST_DIR}/remoteaccesspage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.h
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/userstab.h
  ${CMAKE_CURRENT_LIST_DIR}/userstab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controlpaneltab.h
  ${CMAKE_CURRENT_LIST_DIR}/controlpaneltab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/accountcheck.h
  ${CMAKE_CURRENT_LIST_DIR}/adminlist.h
  ${CMAKE_CURRENT_LIST_DIR}/adminlist.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogauuzivatel.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogauuzivatel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogaucp.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogaucp.cpp
)

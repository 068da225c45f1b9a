# Sources of admin/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/pristupypage.h
  ${CMAKE_CURRENT_LIST_DIR}/pristupypage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/remoteaccesspage.h
  ${CMAKE_CURRENT_LIST_DIR}/remoteaccesspage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.h
  ${CMAKE_CURRENT_LIST_DIR}/detailpages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uzivateletab.h
  ${CMAKE_CURRENT_LIST_DIR}/uzivateletab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/controlpaneltab.h
  ${CMAKE_CURRENT_LIST_DIR}/controlpaneltab.cpp
)
# Each part of administration lists its own files beside this one.
include(${CMAKE_CURRENT_LIST_DIR}/remoteaccess.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/useradmin.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/serviceimports.cmake OPTIONAL)

# Sources of register/ (core: no widgets; gui: the rest)
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/documentfolders.h
  ${CMAKE_CURRENT_LIST_DIR}/documentfolders.cpp
  ${CMAKE_CURRENT_LIST_DIR}/treequery.h
  ${CMAKE_CURRENT_LIST_DIR}/treequery.cpp
  ${CMAKE_CURRENT_LIST_DIR}/podnikytreemodel.h
  ${CMAKE_CURRENT_LIST_DIR}/podnikytreemodel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/specifikace.h
  ${CMAKE_CURRENT_LIST_DIR}/specifikace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/webmap.h
  ${CMAKE_CURRENT_LIST_DIR}/webmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/filtr.h
  ${CMAKE_CURRENT_LIST_DIR}/filtr.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/podnikytree.h
  ${CMAKE_CURRENT_LIST_DIR}/podnikytree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/documentrootchooser.cpp
  ${CMAKE_CURRENT_LIST_DIR}/podnikpage.h
  ${CMAKE_CURRENT_LIST_DIR}/podnikpage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/evidencetab.h
  ${CMAKE_CURRENT_LIST_DIR}/evidencetab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/strediskopage.h
  ${CMAKE_CURRENT_LIST_DIR}/strediskopage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/specifikacepage.h
  ${CMAKE_CURRENT_LIST_DIR}/specifikacepage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/gpspage.h
  ${CMAKE_CURRENT_LIST_DIR}/gpspage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/historiepage.h
  ${CMAKE_CURRENT_LIST_DIR}/historiepage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogfiltr.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogfiltr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialogaupodnik.h
  ${CMAKE_CURRENT_LIST_DIR}/dialogaupodnik.cpp
  ${CMAKE_CURRENT_LIST_DIR}/maintenance.h
  ${CMAKE_CURRENT_LIST_DIR}/maintenance.cpp
)

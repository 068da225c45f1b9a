# Date texts and the temp folder need no widgets: the core library (tree,
# reports, attachments) uses them too.
list(APPEND ZRN_CORE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/qf.h
  ${CMAKE_CURRENT_LIST_DIR}/qf.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qffileutils.h
  ${CMAKE_CURRENT_LIST_DIR}/qffileutils.cpp
)
list(APPEND ZRN_GUI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/qfeditwithbutton.h
  ${CMAKE_CURRENT_LIST_DIR}/qfeditwithbutton.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qfdateedit.h
  ${CMAKE_CURRENT_LIST_DIR}/qfdateedit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qstbtextedit.h
  ${CMAKE_CURRENT_LIST_DIR}/qstbtextedit.cpp
)

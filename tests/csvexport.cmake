# The CSV export: titles, fields, dates, encodings, order, one statement, the
# contracts login, the dialog's remembered choices and the written file.
zrn_add_test(tst_csvexport DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/outputs/tst_csvexport.cpp)

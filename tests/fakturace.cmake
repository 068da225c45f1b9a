# The "Fakturace" tab: contracts, filters, rights, totals per currency and
# the CSV file read back.
zrn_add_test(tst_fakturace DB GUI SOURCES ${CMAKE_CURRENT_LIST_DIR}/outputs/tst_fakturace.cpp)

# Suites of tests/schema/.
# bcrypt: hashes of other implementations are accepted in all three prefixes; we write the "$2y$" form the web
# applications sharing www_users expect.
zrn_add_test(tst_bcrypt SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_bcrypt.cpp)
# The DDL on both backends: creating it again keeps the data and repairs it, values keep their meaning,
# the defaults the program relies on, unique logins.
zrn_add_test(tst_schema DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schema.cpp)
# zrnctl as an administrator runs it, the password on standard input. Wrong use exits with 1, a refused
# database operation with 2.
zrn_add_test(tst_zrnctl SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_zrnctl.cpp)
target_compile_definitions(tst_zrnctl PRIVATE ZRNCTL_PATH="$<TARGET_FILE:zrnctl>")
add_dependencies(tst_zrnctl zrnctl)

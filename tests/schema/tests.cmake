# Suites of tests/schema/.
# Schema DDL, bcrypt and the command-line companion.
zrn_add_test(tst_bcrypt SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_bcrypt.cpp)
zrn_add_test(tst_schema DB SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_schema.cpp)
zrn_add_test(tst_zrnctl SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_zrnctl.cpp)
target_compile_definitions(tst_zrnctl PRIVATE ZRNCTL_PATH="$<TARGET_FILE:zrnctl>")
add_dependencies(tst_zrnctl zrnctl)

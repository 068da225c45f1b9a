# The Debian package: made by cpack from this build tree and its contents and
# Depends checked. Needs no database server, so it runs with the sqlite set.
add_test(NAME package_contents COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_BINARY_DIR})
set_tests_properties(package_contents PROPERTIES LABELS sqlite TIMEOUT 600)

# Checks of the project as a whole: the Debian package and the include layers.
# The Debian package: made by cpack from this build tree and its contents and
# Depends checked. Needs no database server, so it runs with the sqlite set.
add_test(NAME package_contents COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-package.sh ${CMAKE_BINARY_DIR})
set_tests_properties(package_contents PROPERTIES LABELS sqlite TIMEOUT 600)

# Includes go one way, from app/ down to db/ (a small script, no linter).
add_test(NAME include_layers COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/check-layers.sh ${CMAKE_SOURCE_DIR})
set_tests_properties(include_layers PROPERTIES LABELS sqlite TIMEOUT 120)

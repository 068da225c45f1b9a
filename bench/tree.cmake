# Enterprise tree and the register tab's pages: rebuild vs. bare statement,
# one quick-filter keystroke, clicks on rows, statements per click and tab.
#   bench_tree [--config FILE] [--delay N] [DATABASE.sqlite]
# Without a database it seeds a temporary SQLite one like
# "zrnctl seed --seed 7 --enterprises 5000 --events 0". With a MySQL config
# the tree and the pages are measured once more through DelayRelay.
add_executable(bench_tree
  ${CMAKE_CURRENT_LIST_DIR}/bench_tree.cpp
  ${CMAKE_CURRENT_LIST_DIR}/delayrelay.h
  ${CMAKE_CURRENT_LIST_DIR}/delayrelay.cpp
  ${CMAKE_CURRENT_LIST_DIR}/benchdb.h
  ${CMAKE_CURRENT_LIST_DIR}/benchdb.cpp)
target_link_libraries(bench_tree PRIVATE zrngui Qt5::Test)

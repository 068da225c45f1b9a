# Enterprise tree: rebuild vs. bare query, one quick-filter keystroke.
#   bench_tree [DATABASE.sqlite]
# Without an argument it seeds a temporary SQLite database like
# "zrnctl seed --seed 7 --enterprises 5000 --events 0".
add_executable(bench_tree ${CMAKE_CURRENT_LIST_DIR}/bench_tree.cpp)
target_link_libraries(bench_tree PRIVATE zrngui)

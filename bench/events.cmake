# Both event lists at 200,000 events: load vs. bare statement, the pane,
# one filter keystroke, statements per action, memory and query plans.
#   bench_events [--config FILE] [DATABASE.sqlite]
# Without a database it seeds a temporary SQLite one like
# "zrnctl seed --seed 7 --enterprises 5000 --events 200000".
add_executable(bench_events
  ${CMAKE_CURRENT_LIST_DIR}/bench_events.cpp
  ${CMAKE_CURRENT_LIST_DIR}/benchdb.h
  ${CMAKE_CURRENT_LIST_DIR}/benchdb.cpp)
target_link_libraries(bench_events PRIVATE zrngui Qt5::Test)

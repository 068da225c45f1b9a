# The reports of the "Sestavy" tab, the CSV export and the map document:
# build time, size and statements of each.
#   bench_reports [--config FILE] [DATABASE.sqlite]
add_executable(bench_reports ${CMAKE_CURRENT_LIST_DIR}/bench_reports.cpp ${CMAKE_CURRENT_LIST_DIR}/benchdb.cpp)
target_link_libraries(bench_reports PRIVATE zrngui)

# The reports of the "Sestavy" tab: build time and statements of each report.
#   bench_reports [--config FILE] [DATABASE.sqlite]
add_executable(bench_reports ${CMAKE_CURRENT_LIST_DIR}/bench_reports.cpp)
target_link_libraries(bench_reports PRIVATE zrngui)

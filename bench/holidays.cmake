# Speed of the holiday engine over the generated day files.
add_executable(bench_holidays ${CMAKE_CURRENT_LIST_DIR}/bench_holidays.cpp)
target_link_libraries(bench_holidays PRIVATE quillmere_core_calendar)

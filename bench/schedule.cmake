# Load, save, tick and calendar-mark speed over the generated schedule.dat.
add_executable(bench_schedule ${CMAKE_CURRENT_LIST_DIR}/bench_schedule.cpp)
target_link_libraries(bench_schedule PRIVATE quillmere_core_schedule)

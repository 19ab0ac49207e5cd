# Full redraw speed of the calendar control, offscreen.
add_executable(bench_calendar ${CMAKE_CURRENT_LIST_DIR}/bench_calendar.cpp)
target_link_libraries(bench_calendar PRIVATE quillmere_ui)

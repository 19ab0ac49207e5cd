# One calendar redraw's day contents and a month's sign table over the
# generated data folder.
add_executable(bench_daycontents ${CMAKE_CURRENT_LIST_DIR}/bench_daycontents.cpp)
target_link_libraries(bench_daycontents PRIVATE quillmere_core_daycontents)

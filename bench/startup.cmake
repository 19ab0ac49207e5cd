# Start-up benchmark: an empty Qt window measured the same way as the program.
add_executable(bench_emptywindow ${CMAKE_CURRENT_LIST_DIR}/emptywindow.cpp)
target_link_libraries(bench_emptywindow PRIVATE Qt6::Widgets)
target_include_directories(bench_emptywindow PRIVATE ${PROJECT_SOURCE_DIR})

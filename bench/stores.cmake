# ToDo list, memo and note store speed over the generated data folder.
add_executable(bench_stores ${CMAKE_CURRENT_LIST_DIR}/bench_stores.cpp)
target_link_libraries(bench_stores PRIVATE quillmere_core_texts)
target_include_directories(bench_stores PRIVATE ${PROJECT_SOURCE_DIR}/tests)

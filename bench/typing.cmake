# Typing in the window's notebook: per-keystroke cost with a large text.
add_executable(bench_typing ${CMAKE_CURRENT_LIST_DIR}/bench_typing.cpp)
target_link_libraries(bench_typing PRIVATE quillmere_ui quillmere_core Qt6::Test)

# quillmere-gendata: writes the large, deterministic data folder the benchmarks
# run on. Each store contributes its part in bench/gen_*.cpp.
file(GLOB qm_gen_parts CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/gen_*.cpp)
add_executable(quillmere-gendata ${CMAKE_CURRENT_LIST_DIR}/gendata_main.cpp ${CMAKE_CURRENT_LIST_DIR}/gendata.h ${qm_gen_parts})
target_link_libraries(quillmere-gendata PRIVATE quillmere_core)

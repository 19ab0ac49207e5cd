# Writes a demo data folder through the program's own stores, to look at the
# program with believable content. It needs the windows and every data side.
set(qm_demo_needs ui schedule todo calendar notes)
set(qm_demo_missing ${qm_demo_needs})
list(REMOVE_ITEM qm_demo_missing ${QM_SUBSYSTEMS})
if(NOT qm_demo_missing)
  add_executable(quillmere-demo-folder ${PROJECT_SOURCE_DIR}/tools/demo_folder.cpp)
  target_link_libraries(quillmere-demo-folder PRIVATE quillmere_core)
endif()

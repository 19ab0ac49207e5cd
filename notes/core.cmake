# Memos, the notebook and the note store (data side).
qm_core_library(quillmere_core_notes
  ${CMAKE_CURRENT_LIST_DIR}/memostore.cpp ${CMAKE_CURRENT_LIST_DIR}/memostore.h
  ${CMAKE_CURRENT_LIST_DIR}/tnote.cpp ${CMAKE_CURRENT_LIST_DIR}/tnote.h
  ${CMAKE_CURRENT_LIST_DIR}/notestore.cpp ${CMAKE_CURRENT_LIST_DIR}/notepages.cpp ${CMAKE_CURRENT_LIST_DIR}/notestore.h
  ${CMAKE_CURRENT_LIST_DIR}/usagecounts.cpp ${CMAKE_CURRENT_LIST_DIR}/usagecounts.h
)
target_link_libraries(quillmere_core_notes PUBLIC quillmere_core_foundation)
target_link_libraries(quillmere_core INTERFACE quillmere_core_notes)

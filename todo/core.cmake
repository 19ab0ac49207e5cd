# ToDo items, todo.dat and its comma text, the deadline timer and the answers
# to its events.
qm_core_library(quillmere_core_todo
  ${CMAKE_CURRENT_LIST_DIR}/commatext.cpp ${CMAKE_CURRENT_LIST_DIR}/commatext.h
  ${CMAKE_CURRENT_LIST_DIR}/todoitem.cpp ${CMAKE_CURRENT_LIST_DIR}/todoitem.h
  ${CMAKE_CURRENT_LIST_DIR}/todolist.cpp ${CMAKE_CURRENT_LIST_DIR}/todolist.h
  ${CMAKE_CURRENT_LIST_DIR}/todoprefetch.cpp ${CMAKE_CURRENT_LIST_DIR}/todoprefetch.h
  ${CMAKE_CURRENT_LIST_DIR}/todotimer.cpp ${CMAKE_CURRENT_LIST_DIR}/todotimer.h
  ${CMAKE_CURRENT_LIST_DIR}/todonotice.cpp ${CMAKE_CURRENT_LIST_DIR}/todonotice.h
)
target_link_libraries(quillmere_core_todo PUBLIC quillmere_core_foundation quillmere_core_schedule)
target_link_libraries(quillmere_core INTERFACE quillmere_core_todo)

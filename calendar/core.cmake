qm_core_library(quillmere_core_calendar
  ${CMAKE_CURRENT_LIST_DIR}/dayitem.cpp ${CMAKE_CURRENT_LIST_DIR}/dayitem.h
  ${CMAKE_CURRENT_LIST_DIR}/dayitemlist.cpp ${CMAKE_CURRENT_LIST_DIR}/dayitemlist.h
  ${CMAKE_CURRENT_LIST_DIR}/daytext.cpp ${CMAKE_CURRENT_LIST_DIR}/daytext.h
  ${CMAKE_CURRENT_LIST_DIR}/dateex.cpp ${CMAKE_CURRENT_LIST_DIR}/dateex.h
  ${CMAKE_CURRENT_LIST_DIR}/holidaytable.cpp ${CMAKE_CURRENT_LIST_DIR}/holidaytable.h
  ${CMAKE_CURRENT_LIST_DIR}/dayfiles.cpp ${CMAKE_CURRENT_LIST_DIR}/dayfiles.h
  ${CMAKE_CURRENT_LIST_DIR}/daylisting.cpp ${CMAKE_CURRENT_LIST_DIR}/daylisting.h
)
target_link_libraries(quillmere_core_calendar PUBLIC quillmere_core_foundation)
target_link_libraries(quillmere_core INTERFACE quillmere_core_calendar)

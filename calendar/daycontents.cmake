# What the application shows inside the calendar: the day contents, the sign
# table, and the date navigation rules of the main window.
qm_core_library(quillmere_core_daycontents
  ${CMAKE_CURRENT_LIST_DIR}/daycontents.cpp ${CMAKE_CURRENT_LIST_DIR}/daycontents.h
  ${CMAKE_CURRENT_LIST_DIR}/datenavigation.cpp ${CMAKE_CURRENT_LIST_DIR}/datenavigation.h
)
target_link_libraries(quillmere_core_daycontents PUBLIC quillmere_core_schedule quillmere_core_notes quillmere_core_calendar)
target_link_libraries(quillmere_core INTERFACE quillmere_core_daycontents)

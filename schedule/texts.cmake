# Texts several windows share: the day's schedule list, the day pop-up and the
# upcoming-schedules window. They read schedules, ToDo items, memos and the
# holiday engine, so they sit above those libraries.
qm_core_library(quillmere_core_texts
  ${CMAKE_CURRENT_LIST_DIR}/daylist.cpp ${CMAKE_CURRENT_LIST_DIR}/daylist.h
  ${CMAKE_CURRENT_LIST_DIR}/upcoming.cpp ${CMAKE_CURRENT_LIST_DIR}/upcoming.h
  ${PROJECT_SOURCE_DIR}/calendar/daypopuptext.cpp ${PROJECT_SOURCE_DIR}/calendar/daypopuptext.h
)
target_link_libraries(quillmere_core_texts PUBLIC quillmere_core_schedule quillmere_core_todo quillmere_core_notes quillmere_core_calendar)
target_link_libraries(quillmere_core INTERFACE quillmere_core_texts)

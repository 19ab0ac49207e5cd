qm_core_library(quillmere_core_schedule
  ${CMAKE_CURRENT_LIST_DIR}/alarmparts.h
  ${CMAKE_CURRENT_LIST_DIR}/alarm.cpp ${CMAKE_CURRENT_LIST_DIR}/alarm.h
  ${CMAKE_CURRENT_LIST_DIR}/alarmlist.cpp ${CMAKE_CURRENT_LIST_DIR}/alarmlist.h
  ${CMAKE_CURRENT_LIST_DIR}/schedulecodec.cpp ${CMAKE_CURRENT_LIST_DIR}/schedulecodec.h
  ${CMAKE_CURRENT_LIST_DIR}/schedulefile.cpp ${CMAKE_CURRENT_LIST_DIR}/schedulefile.h
  ${CMAKE_CURRENT_LIST_DIR}/occurrence.cpp ${CMAKE_CURRENT_LIST_DIR}/occurrence.h
  ${CMAKE_CURRENT_LIST_DIR}/alarmtimer.cpp ${CMAKE_CURRENT_LIST_DIR}/alarmtimer.h
  ${CMAKE_CURRENT_LIST_DIR}/scheduleio.cpp ${CMAKE_CURRENT_LIST_DIR}/scheduleio.h
  ${CMAKE_CURRENT_LIST_DIR}/scheduleprefetch.cpp ${CMAKE_CURRENT_LIST_DIR}/scheduleprefetch.h
  ${CMAKE_CURRENT_LIST_DIR}/noticetitle.cpp ${CMAKE_CURRENT_LIST_DIR}/noticetitle.h
)
target_link_libraries(quillmere_core_schedule PUBLIC quillmere_core_foundation)
target_link_libraries(quillmere_core INTERFACE quillmere_core_schedule)

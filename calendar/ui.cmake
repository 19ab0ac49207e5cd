# The calendar control (widget side).
target_sources(quillmere_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/zocalendartypes.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendargeometry.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendargeometry.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendarlinecut.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendarlinecut.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendarfonts.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendarfonts.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendarbase.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendarbase.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendarcustomqm.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendarcustomqm.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendarcontrol.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendarcontrol.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendarpainter.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendarpainter.h
  ${CMAKE_CURRENT_LIST_DIR}/zocalendartextcache.cpp ${CMAKE_CURRENT_LIST_DIR}/zocalendartextcache.h
)

# Renders the calendar to PNG files without a display, to look at the design.
add_executable(quillmere-calendar-shot ${PROJECT_SOURCE_DIR}/tools/calendar_shot.cpp)
target_link_libraries(quillmere-calendar-shot PRIVATE quillmere_ui)
include(${PROJECT_SOURCE_DIR}/tools/demo.cmake OPTIONAL)

# The tab tests read pixels back with the draw tests' DIB helpers.
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw/VktDrw.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw)
# They move the keyboard focus and the pointer of the shared display: another test program on the
# display at the same time would take them away (and lose its own), so they run alone.
set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)

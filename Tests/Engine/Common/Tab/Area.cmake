# The tab tests read pixels back with the draw tests' DIB helpers.
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw/VktDrw.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw)

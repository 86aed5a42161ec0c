# The drawing-area tests share the draw tests' helpers (DIBs made by hand).
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw/VktDrw.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw)
# The paste tests use the display's one clipboard.
set_tests_properties(${name} PROPERTIES RESOURCE_LOCK VktClipboard)

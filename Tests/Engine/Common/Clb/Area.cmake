# The clipboard tests share the draw tests' helpers (a started draw object, DIBs by hand).
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw/VktDrw.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw)

# The document tests have their own application object and share the framework tests' helpers.
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Platform/Mfc/TestMfcHelpers.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Platform/Mfc ${CMAKE_CURRENT_SOURCE_DIR}/${dir})

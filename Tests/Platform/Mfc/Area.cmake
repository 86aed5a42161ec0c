# A small library with its own copy of the framework, for the tests of two modules on one window.
add_library(TestMfcTwin SHARED ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/TwinDll/TwinDll.cpp)
set_target_properties(TestMfcTwin PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${VK_TEST_DIR})
target_include_directories(TestMfcTwin PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/TwinDll)
target_link_libraries(TestMfcTwin PRIVATE Mfc)
vk_warnings(TestMfcTwin)
target_link_libraries(${name} PRIVATE TestMfcTwin)

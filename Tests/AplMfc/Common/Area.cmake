# The engine started by these tests takes the test program's folder as its system folder: the
# program gets a folder of its own (other programs' tests want none of the message file, Vkt, Usr
# and Tmp beside them), with the engine's message file copied into it.
set(VK_APL_TEST_DIR ${VK_TEST_DIR}/AplCmn)
set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VK_APL_TEST_DIR})
add_dependencies(${name} VkeEngMessages)
add_custom_command(TARGET ${name} POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VK_BIN_DIR}/Quorvane.vmg ${VK_APL_TEST_DIR}/Quorvane.vmg VERBATIM)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
# The window tests walk the display's z-order and move the focus: no other program's windows
# meanwhile (alone, they also have the display's clipboard to themselves).
set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
# The image service's tests read the draw tests' images (made at build time) from ../DrwData.
add_dependencies(${name} TestEngDrwData)

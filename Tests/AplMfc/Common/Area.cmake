# The engine started by these tests takes the test program's folder as its system folder: the
# message file goes beside the program.
add_dependencies(${name} VkeEngMessages)
add_custom_command(TARGET ${name} POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VK_BIN_DIR}/Quorvane.vmg ${VK_TEST_DIR}/Quorvane.vmg VERBATIM)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${dir})

# The shell's tests start the engine over the test program's own folder (as the program does
# over its folder): the program gets a folder of its own with the engine's message file.
set(VK_VKA_TEST_DIR ${VK_TEST_DIR}/AplVka)
set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VK_VKA_TEST_DIR})
add_dependencies(${name} VkeEngMessages)
add_custom_command(TARGET ${name} POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VK_BIN_DIR}/Quorvane.vmg ${VK_VKA_TEST_DIR}/Quorvane.vmg VERBATIM)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
# The pages' tests paste through the display's clipboard.
set_tests_properties(${name} PROPERTIES RESOURCE_LOCK VktClipboard)
# The main frame's tests activate windows, move the focus and watch the display's clipboard: no
# other program's windows meanwhile.
set_tests_properties(${name} PROPERTIES RUN_SERIAL TRUE)
# The cut frame's page set-up without any printer: Wine finds no print server for that run.
add_test(NAME ${name}NoPrinter COMMAND ${name} --gtest_filter=FrmNoPrinter.*)
set_tests_properties(${name}NoPrinter PROPERTIES ENVIRONMENT CUPS_SERVER=/nonexistent/cups.sock RUN_SERIAL TRUE TIMEOUT 120)
# The file-command panel's tools are the stand-in tool of the end-to-end scripts.
add_dependencies(${name} VktTool)

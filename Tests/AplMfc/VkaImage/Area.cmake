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
# Its real windows, dialogs and print jobs take five to nine minutes on a loaded machine.
set_tests_properties(${name} PROPERTIES TIMEOUT 1200)
# The cut frame's page set-up and a page's print command without any printer: Wine finds no print
# server for that run.
add_test(NAME ${name}NoPrinter COMMAND ${name} --gtest_filter=FrmNoPrinter.*:PrtNoPrinter.*)
set_tests_properties(${name}NoPrinter PROPERTIES ENVIRONMENT CUPS_SERVER=/nonexistent/cups.sock RUN_SERIAL TRUE TIMEOUT 120)
# The file-command panel's tools are the stand-in tool of the end-to-end scripts.
add_dependencies(${name} VktTool)
# The PDFs of the pages' print jobs are checked once the program ran.
add_test(NAME ${name}Pdf
  COMMAND bash -c "source '${CMAKE_SOURCE_DIR}/scripts/env.sh' && exec python3 '${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CheckPagePdf.py' '${VK_VKA_TEST_DIR}/${name}.jobs' \"\$VK_PDF_DIR\"")
set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${name}Jobs)
set_tests_properties(${name}Pdf PROPERTIES FIXTURES_REQUIRED ${name}Jobs TIMEOUT 120)

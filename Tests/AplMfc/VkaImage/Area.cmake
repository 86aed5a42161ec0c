# The shell's tests start the engine over the test program's own folder (as the program does
# over its folder): the program gets a folder of its own with the engine's message file.
set(VK_VKA_TEST_DIR ${VK_TEST_DIR}/AplVka)
set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VK_VKA_TEST_DIR})
add_dependencies(${name} VkeEngMessages)
add_custom_command(TARGET ${name} POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VK_BIN_DIR}/Quorvane.vmg ${VK_VKA_TEST_DIR}/Quorvane.vmg VERBATIM)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
# The areas' entries (the groups are named in Tests/CMakeLists.txt), each in its own copy of the
# folder: the engine keeps its work, user and temporary folders there.
vk_alone_test(${name}Pages ${name} IN Pages ARGS --gtest_filter=${VK_VKA_PAGES})
vk_alone_test(${name}Edits ${name} IN Edits ARGS --gtest_filter=${VK_VKA_EDITS})
vk_alone_test(${name}Panels ${name} IN Panels ARGS --gtest_filter=${VK_VKA_PANELS})
vk_alone_test(${name}Dialogs ${name} IN Dialogs ARGS --gtest_filter=${VK_VKA_DIALOGS})
# The cut frame's page set-up and a page's print command without any printer: Wine finds no print
# server for that run.
vk_alone_test(${name}NoPrinter ${name} IN NoPrinter ARGS --gtest_filter=${VK_VKA_NOPRINTER})
set_tests_properties(${name}NoPrinter PROPERTIES ENVIRONMENT CUPS_SERVER=/nonexistent/cups.sock TIMEOUT 120)
# The file-command panel's tools are the stand-in tool of the end-to-end scripts.
add_dependencies(${name} VktTool)
# The PDFs of the pages' print jobs (the dialogs' entry prints them) are checked once it ran.
add_test(NAME ${name}Pdf
  COMMAND bash -c "source '${CMAKE_SOURCE_DIR}/scripts/env.sh' && exec python3 '${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CheckPagePdf.py' '${VK_VKA_TEST_DIR}-Dialogs/${name}.jobs' \"\$VK_PDF_DIR\"")
set_tests_properties(${name}Dialogs PROPERTIES FIXTURES_SETUP ${name}Jobs)
set_tests_properties(${name}Pdf PROPERTIES FIXTURES_REQUIRED ${name}Jobs TIMEOUT 120)

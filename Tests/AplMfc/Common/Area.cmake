# The engine started by these tests takes the test program's folder as its system folder: the
# program gets a folder of its own (other programs' tests want none of the message file, Vkt, Usr
# and Tmp beside them), with the engine's message file copied into it.
set(VK_APL_TEST_DIR ${VK_TEST_DIR}/AplCmn)
set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${VK_APL_TEST_DIR})
add_dependencies(${name} VkeEngMessages)
add_custom_command(TARGET ${name} POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${VK_BIN_DIR}/Quorvane.vmg ${VK_APL_TEST_DIR}/Quorvane.vmg VERBATIM)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
# The image service's tests read the draw tests' images (made at build time) from ../DrwData.
add_dependencies(${name} TestEngDrwData)
# The bar tests' tool bar takes the frame tests' images, made beside the resource script.
find_program(VK_PYTHON3 python3)
set(VK_APL_BAR_BMP ${CMAKE_CURRENT_BINARY_DIR}/AplCmnBar/TestCmnBar.bmp)
add_custom_command(OUTPUT ${VK_APL_BAR_BMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/AplCmnBar
  COMMAND ${VK_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/Platform/MfcFrame/MakeToolBarBmp.py ${VK_APL_BAR_BMP}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/Platform/MfcFrame/MakeToolBarBmp.py VERBATIM)
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/${dir}/TestCmnBar.rc PROPERTIES OBJECT_DEPENDS ${VK_APL_BAR_BMP})
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/AplCmnBar)
# The PDFs of the dialog base's print jobs are checked once the program ran.
add_test(NAME ${name}Pdf
  COMMAND bash -c "source '${CMAKE_SOURCE_DIR}/scripts/env.sh' && exec python3 '${CMAKE_CURRENT_SOURCE_DIR}/${dir}/CheckDlgPdf.py' '${VK_APL_TEST_DIR}/${name}.jobs' \"\$VK_PDF_DIR\"")
set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${name}Jobs)
set_tests_properties(${name}Pdf PROPERTIES FIXTURES_REQUIRED ${name}Jobs TIMEOUT 120)
vk_alone_test(${name}Images ${name} IN Images ARGS --gtest_filter=${VK_CMN_IMAGES})
# The tab view's print commands without any printer: Wine finds no print server for that run.
# It runs in a copy of the program's folder, beside the main run.
vk_alone_test(${name}NoPrinter ${name} IN NoPrinter ARGS --gtest_filter=TbvNoPrinter.*)
set_tests_properties(${name}NoPrinter PROPERTIES ENVIRONMENT CUPS_SERVER=/nonexistent/cups.sock TIMEOUT 120)
# The thumbnail tests' JPEG variants, made at build time in ../TmnData.
find_program(VK_CONVERT convert PATHS /usr/bin NO_DEFAULT_PATH)
find_program(VK_CONVERT convert)
set(VK_TMN_DATA ${VK_TEST_DIR}/TmnData)
set(VK_TMN_DATA_SCRIPT ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/MakeTmnData.sh)
add_custom_command(OUTPUT ${VK_TMN_DATA}/s420.jpg
  COMMAND ${CMAKE_COMMAND} -E env VK_CONVERT=${VK_CONVERT} bash ${VK_TMN_DATA_SCRIPT} ${VK_TMN_DATA}
  DEPENDS ${VK_TMN_DATA_SCRIPT} ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/MakeJpgRestart.py VERBATIM)
add_custom_target(TestAplTmnData DEPENDS ${VK_TMN_DATA}/s420.jpg)
add_dependencies(${name} TestAplTmnData)

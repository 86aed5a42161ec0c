# The print tests have their own application object and share the framework tests' helpers.
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Platform/Mfc/TestMfcHelpers.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Platform/Mfc ${CMAKE_CURRENT_SOURCE_DIR}/${dir})
target_link_libraries(${name} PRIVATE comdlg32 winspool)
# The PDFs of its jobs are checked once it ran, by the engine print tests' script.
add_test(NAME ${name}Pdf
  COMMAND bash -c "source '${CMAKE_SOURCE_DIR}/scripts/env.sh' && exec python3 '${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Prt/CheckPdf.py' '${VK_TEST_DIR}/${name}.jobs' \"\$VK_PDF_DIR\"")
# Without a printer: Wine finds no print server and drops its printers for that run (its session's
# prefix only; the next run finds them again).
vk_alone_test(${name}NoPrinter ${name} ARGS --gtest_filter=NoPrinter.*)
set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${name}Jobs)
set_tests_properties(${name}Pdf PROPERTIES FIXTURES_REQUIRED ${name}Jobs TIMEOUT 120)
set_tests_properties(${name}NoPrinter PROPERTIES ENVIRONMENT CUPS_SERVER=/nonexistent/cups.sock)

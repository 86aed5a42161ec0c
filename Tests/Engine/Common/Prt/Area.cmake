# The PDFs of the jobs the print tests sent through the real queue, checked once the tests ran.
add_test(NAME ${name}Pdf
  COMMAND bash -c "source '${CMAKE_SOURCE_DIR}/scripts/env.sh' && exec python3 '${CMAKE_CURRENT_LIST_DIR}/CheckPdf.py' '${VK_TEST_DIR}/${name}.jobs' \"\$VK_PDF_DIR\"")
set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${name}Jobs)
set_tests_properties(${name}Pdf PROPERTIES FIXTURES_REQUIRED ${name}Jobs TIMEOUT 120)

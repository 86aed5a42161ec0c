# The drawing-area tests share the draw tests' helpers (DIBs made by hand).
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw/VktDrw.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Engine/Common/Drw)
# The PDF of the job the print tests sent through the real queue, checked once the tests ran.
add_test(NAME ${name}Pdf
  COMMAND bash -c "source '${CMAKE_SOURCE_DIR}/scripts/env.sh' && exec python3 '${CMAKE_CURRENT_LIST_DIR}/CheckPrintPdf.py' '${VK_TEST_DIR}/${name}.jobs' \"\$VK_PDF_DIR\"")
set_tests_properties(${name} PROPERTIES FIXTURES_SETUP ${name}Jobs)
set_tests_properties(${name}Pdf PROPERTIES FIXTURES_REQUIRED ${name}Jobs TIMEOUT 120)

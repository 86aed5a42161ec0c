# The images of the draw-object tests, made at build time next to the test program.
find_program(VK_CONVERT convert PATHS /usr/bin NO_DEFAULT_PATH)
find_program(VK_CONVERT convert)
set(VK_DRW_DATA ${VK_TEST_DIR}/DrwData)
set(VK_DRW_DATA_SCRIPT ${CMAKE_SOURCE_DIR}/Tests/Data/MakeDrwData.sh)
add_custom_command(OUTPUT ${VK_DRW_DATA}/blocks.png
  COMMAND ${CMAKE_COMMAND} -E env VK_CONVERT=${VK_CONVERT} bash ${VK_DRW_DATA_SCRIPT} ${VK_DRW_DATA}
  DEPENDS ${VK_DRW_DATA_SCRIPT} VERBATIM)
add_custom_target(TestEngDrwData DEPENDS ${VK_DRW_DATA}/blocks.png)
add_dependencies(${name} TestEngDrwData)

# ImageMagick reads back the quality of the JPEG files the test program wrote (after it ran).
find_program(VK_IDENTIFY identify PATHS /usr/bin NO_DEFAULT_PATH)
find_program(VK_IDENTIFY identify)
add_test(NAME TestEngDrwJpgQuality
  COMMAND ${CMAKE_COMMAND} -E env VK_IDENTIFY=${VK_IDENTIFY}
          bash ${CMAKE_CURRENT_LIST_DIR}/JpgQuality.sh ${VK_TEST_DIR}/JpgQuality)
set_tests_properties(${name} PROPERTIES FIXTURES_SETUP DrwJpgFiles)
set_tests_properties(TestEngDrwJpgQuality PROPERTIES FIXTURES_REQUIRED DrwJpgFiles)

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

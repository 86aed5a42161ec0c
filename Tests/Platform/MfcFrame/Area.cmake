# The frame tests share the framework tests' application object and helpers, and build the
# tool bar's bitmap next to their resource script.
target_sources(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Platform/Mfc/TestMfcApp.cpp
               ${CMAKE_CURRENT_SOURCE_DIR}/Platform/Mfc/TestMfcHelpers.cpp)
target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/Platform/Mfc
                           ${CMAKE_CURRENT_SOURCE_DIR}/${dir} ${CMAKE_CURRENT_BINARY_DIR}/MfcFrame)
find_program(VK_PYTHON3 python3)
set(VK_FRAME_BMP ${CMAKE_CURRENT_BINARY_DIR}/MfcFrame/TestFrameToolBar.bmp)
add_custom_command(OUTPUT ${VK_FRAME_BMP}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/MfcFrame
  COMMAND ${VK_PYTHON3} ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/MakeToolBarBmp.py ${VK_FRAME_BMP}
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${dir}/MakeToolBarBmp.py VERBATIM)
set_source_files_properties(${CMAKE_CURRENT_SOURCE_DIR}/${dir}/TestMfcFrame.rc PROPERTIES OBJECT_DEPENDS ${VK_FRAME_BMP})

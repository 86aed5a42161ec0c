# Delay-loaded imports: the printing and common-dialog libraries load at their first call, not
# with the program (under Wine the two cost tens of milliseconds of every start). Each library's
# functions the code calls are listed in cmake/delay/NAME.def; mingw's delayimp does the loading.
function(vk_delay_import name)
  set(def ${CMAKE_SOURCE_DIR}/cmake/delay/${name}.def)
  set(lib ${CMAKE_BINARY_DIR}/lib/lib${name}_delay.a)
  add_custom_command(OUTPUT ${lib}
    COMMAND ${CMAKE_DLLTOOL} -d ${def} -y ${lib}
    DEPENDS ${def} VERBATIM)
  add_custom_target(${name}_delay DEPENDS ${lib})
  set(VK_DELAY_${name} ${lib} PARENT_SCOPE)
endfunction()

vk_delay_import(winspool)
vk_delay_import(comdlg32)

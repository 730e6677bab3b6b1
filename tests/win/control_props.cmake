# The control through COM as a container sees it (the module is registered in the test's prefix).
zb_add_test(NAME control_props_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_props_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp
  LIBS zb_button_logic zb_olectl zb_olehost zb_jpeg zb_tiff ole32 oleaut32 uuid gdi32 user32)
if(TARGET zephonbuttonpro)
  add_dependencies(control_props_test zephonbuttonpro)
endif()
zb_add_test(NAME control_props_leak_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_props_leak_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp
  LIBS zb_olectl zb_olehost zb_jpeg zb_tiff psapi ole32 oleaut32 uuid gdi32 user32)
if(TARGET zephonbuttonpro)
  add_dependencies(control_props_leak_test zephonbuttonpro)
endif()

# The control as scripts meet it: created and driven by the platform's script host (cscript), and
# its safe mode for pages (IObjectSafety) with the loopback HTTP server serving pictures.
zb_add_test(NAME control_script_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_script_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp
  LIBS zb_button_logic zb_imaging zb_olectl zb_olehost zb_jpeg zb_tiff ole32 oleaut32 uuid gdi32 user32)
set_tests_properties(control_script_test PROPERTIES RESOURCE_LOCK zephon_registration)
if(TARGET zephonbuttonpro)
  add_dependencies(control_script_test zephonbuttonpro)
endif()

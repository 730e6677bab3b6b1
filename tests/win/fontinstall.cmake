# Fonts from internet addresses: the installer and the control's InstallFontFromInternet against a
# small HTTP server inside the test, with a TrueType font the test makes itself.
zb_add_test(NAME fontinstall_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fontinstall_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
  LIBS zb_imaging zb_olectl zb_olehost zb_jpeg zb_tiff ole32 oleaut32 uuid gdi32 user32)
set_tests_properties(fontinstall_test PROPERTIES RESOURCE_LOCK zephon_registration)
if(TARGET zephonbuttonpro)
  add_dependencies(fontinstall_test zephonbuttonpro)
endif()

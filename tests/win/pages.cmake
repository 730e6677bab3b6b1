# The control's property pages as a property frame uses them, from the registered module.
if(TARGET zephonbuttonpro)
  zb_add_test(NAME pages_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pages_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pages_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pages_text_tooltip_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/pages_colors_effects_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pages_images_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp
    LIBS zb_olectl zb_pixels zb_jpeg zb_tiff comctl32 ole32 oleaut32 uuid user32)
  add_dependencies(pages_test zephonbuttonpro)
  # It registers and unregisters the module like the other control tests.
  set_tests_properties(pages_test PROPERTIES RESOURCE_LOCK zephon_registration)
endif()

# The tooltip window on the screen: alone under a window of the test, and as the button control's
# tooltip driven by the real pointer; its windows and GDI objects over many shows.
zb_add_test(NAME tooltip_win_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tooltip_win_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_interaction_host.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp
  LIBS zb_tooltip zb_button_ctrl zb_olehost zb_jpeg zb_tiff ole32 oleaut32 uuid gdi32 user32)
if(TARGET zephonbuttonpro)
  add_dependencies(tooltip_win_test zephonbuttonpro)
endif()
set_tests_properties(tooltip_win_test PROPERTIES RESOURCE_LOCK zephon_registration)

# The button control in real windows (our container and the platform's ATL host), driven by window
# messages: interaction and events, paint and sizing, the picture animation, accessibility. The
# control is linked into the tests so that its tooltip, downloader, font installer and cursors can be
# replaced; the module file beside them supplies resources.
set(zb_ctl_ui_support
  ${CMAKE_CURRENT_LIST_DIR}/control_interaction_host.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
  ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp)
set(zb_ctl_ui_libs zb_button_ctrl zb_olehost zb_jpeg zb_tiff ole32 oleaut32 uuid gdi32 user32)
zb_add_test(NAME control_interaction_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_interaction_test.cpp ${zb_ctl_ui_support} LIBS ${zb_ctl_ui_libs})
if(TARGET zephonbuttonpro)
  add_dependencies(control_interaction_test zephonbuttonpro)
endif()
zb_add_test(NAME control_render_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_render_test.cpp ${zb_ctl_ui_support} LIBS ${zb_ctl_ui_libs})
if(TARGET zephonbuttonpro)
  add_dependencies(control_render_test zephonbuttonpro)
endif()
zb_add_test(NAME control_animation_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_animation_test.cpp ${zb_ctl_ui_support} LIBS ${zb_ctl_ui_libs})
if(TARGET zephonbuttonpro)
  add_dependencies(control_animation_test zephonbuttonpro)
endif()
zb_add_test(NAME control_accessibility_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_accessibility_test.cpp ${zb_ctl_ui_support} LIBS ${zb_ctl_ui_libs})
if(TARGET zephonbuttonpro)
  add_dependencies(control_accessibility_test zephonbuttonpro)
endif()

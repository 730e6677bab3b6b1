zb_add_test(NAME render_logic_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_layout_test.cpp LIBS zb_button_render)

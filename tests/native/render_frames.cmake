zb_add_test(NAME render_frames_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_frames_test.cpp LIBS zb_button_render)

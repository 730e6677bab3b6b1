zb_add_test(NAME render_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_test.cpp ${CMAKE_CURRENT_LIST_DIR}/render_test_frames.cpp
  LIBS zb_button_render)

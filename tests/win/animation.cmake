zb_add_test(NAME animation_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/animation_test.cpp LIBS zb_button_render)

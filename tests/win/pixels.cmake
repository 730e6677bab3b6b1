zb_add_test(NAME pixels_gdi_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pixels_gdi_test.cpp LIBS zb_pixels)

zb_add_test(NAME pixels_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pixels_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pixels_reference_test.cpp ${CMAKE_CURRENT_LIST_DIR}/pixels_effect_test.cpp LIBS zb_pixels)

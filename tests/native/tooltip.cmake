# The tooltip's sequence, placement and pixel work against a recording stand-in for the platform.
zb_add_test(NAME tooltip_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tooltip_test.cpp ${CMAKE_CURRENT_LIST_DIR}/tooltip_pixels_test.cpp
  LIBS zb_tooltip)

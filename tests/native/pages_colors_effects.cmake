# The Colors and Effects pages' portable part: the colour picker's mouse, box and button rules and
# its picture, the Effects preview against the control's own effect pass, and both pages' bindings
# against the control's property table.
zb_add_test(NAME pages_colors_effects_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pages_colors_effects_test.cpp
  LIBS zb_page_rules zb_button_logic zb_pixels)

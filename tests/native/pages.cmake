# The property pages' portable part: bindings between dialog controls and values, the General
# page's arithmetic and bindings (checked against the control's property table).
zb_add_test(NAME pages_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pages_rules_test.cpp
  LIBS zb_page_rules zb_button_logic)

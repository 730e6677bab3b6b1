# The Text, ToolTip and Images pages' portable part: spin-arrow steps, the tooltip page's text rules,
# the Images page's link bits and preview fitting, and the pages' bindings against the property table.
zb_add_test(NAME pages_texttip_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/pages_texttip_rules_test.cpp
  LIBS zb_page_rules zb_button_logic)

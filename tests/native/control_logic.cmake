# The button control's portable rules: property table, exchange order, mode bits, display choice.
zb_add_test(NAME control_logic_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_logic_test.cpp LIBS zb_button_logic)

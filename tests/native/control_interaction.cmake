# The order of the button's interaction steps (mouse, focus, check modes), portable.
zb_add_test(NAME control_interaction_logic_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_interaction_logic_test.cpp
            LIBS zb_button_logic)

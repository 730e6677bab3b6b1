# Font installation from internet addresses: the portable rules (names, refused names, font file
# signatures), against fonts the test makes itself.
zb_add_test(NAME fontinstall_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/fontinstall_rules_test.cpp
            LIBS zb_imaging)

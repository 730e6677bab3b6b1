# The catalogue panel's portable rules: list-file records, description text, categories, CD root.
zb_add_test(NAME catalogue_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/catalogue_rules_test.cpp
            LIBS zb_catalogue_rules TIMEOUT 60)

# What the control lets an untrusted page name as a picture, and the texts the page is told.
zb_add_test(NAME untrusted_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/untrusted_rules_test.cpp LIBS zb_imaging)

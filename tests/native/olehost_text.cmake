# The text form of the container's property bags (portable part of common/olehost).
zb_add_test(NAME olehost_text_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/olehost_text_test.cpp LIBS zb_olehost)

# ZBHOST's portable parts: property file, value syntax, placement, command line, BMP layout.
zb_add_test(NAME zbhost_file_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/zbhost_file_test.cpp LIBS zb_zbhost TIMEOUT 60)

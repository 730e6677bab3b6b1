# The container library hosting the framework's test control.
zb_add_test(NAME olehost_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/olehost_test.cpp ${CMAKE_CURRENT_LIST_DIR}/control_module_testctl.cpp
  LIBS zb_olectl zb_olehost)

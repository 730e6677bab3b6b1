# The OLE control framework with a test control of its own, and the control module as containers
# see it (registered in the test's own Wine prefix).
zb_add_test(NAME control_module_framework_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_module_framework_test.cpp ${CMAKE_CURRENT_LIST_DIR}/control_module_testctl.cpp
  LIBS zb_olectl zb_olehost)
if(TARGET zephonbuttonpro)
  zb_add_test(NAME control_module_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_module_test.cpp
    LIBS zb_button_logic zb_olectl zb_olehost psapi)
  add_dependencies(control_module_test zephonbuttonpro)
endif()

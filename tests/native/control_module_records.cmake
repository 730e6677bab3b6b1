# The stream format of persisted control properties (portable part of the OLE control framework).
zb_add_test(NAME control_module_records_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_module_records_test.cpp
  LIBS zb_olectl)

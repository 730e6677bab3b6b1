# ZBHOST.exe run as its users run it: screenshots, the event log of clicks, refused property files.
if(TARGET zbhost)
  zb_add_test(NAME zbhost_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/zbhost_test.cpp LIBS gdi32 user32 TIMEOUT 180)
  add_dependencies(zbhost_test zbhost)
endif()

# The tool test starts the native zbimage program; the Windows build has no such run.
if(NOT WIN32)
  zb_add_test(NAME zbimage_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/zbimage_test.cpp LIBS zb_zbimage)
  add_dependencies(zbimage_test zbimage)
endif()

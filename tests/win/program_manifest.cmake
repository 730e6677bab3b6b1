# The application manifests of QVOL2.exe, TRVUQV2.exe and ZBHOST.exe, read back from the programs.
if(TARGET zbhost)
  zb_add_test(NAME program_manifest_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/program_manifest_test.cpp TIMEOUT 60)
  add_dependencies(program_manifest_test QVOL2 TRVUQV2 zbhost)
endif()

# Both bitnesses in one prefix: registration side by side, and persistence across them. The test of
# each build drives the peer program of both builds; the other build is the sibling folder.
if(TARGET zephonbuttonpro)
  add_executable(control_bitness_peer ${CMAKE_CURRENT_LIST_DIR}/bitness_peer.cpp
                 ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp)
  target_include_directories(control_bitness_peer PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(control_bitness_peer PRIVATE zb_olehost zb_jpeg zb_tiff GTest::gtest ole32 oleaut32 uuid gdi32
                        user32)
  target_link_options(control_bitness_peer PRIVATE -municode)
  add_dependencies(control_bitness_peer zephonbuttonpro)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(peer_build win32)
  else()
    set(peer_build win64)
  endif()
  zb_add_test(NAME bitness_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/bitness_test.cpp LIBS zb_olectl TIMEOUT 240)
  add_dependencies(bitness_test control_bitness_peer)
  set_property(TEST bitness_test APPEND PROPERTY ENVIRONMENT "ZB_PEER_BIN_DIR=${CMAKE_BINARY_DIR}/../${peer_build}/bin")
  set_tests_properties(bitness_test PROPERTIES RESOURCE_LOCK zephon_registration)
endif()

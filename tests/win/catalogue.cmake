# The catalogue panel under Wine: QVOL2.exe driven through its real windows over collections laid
# out by the fixture (program folder with list files, CD tree on a mapped drive letter), and the
# drive setting in the settings store. Both change "DriveCD" of "Quorvel Vol. 2", so they hold the
# lock "quorvel_settings" as the uninstaller's test does; the panel's buttons are controls of the
# module they register, so they hold its registration lock too.
zb_add_test(NAME catalogue_test
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/catalogue_test.cpp ${CMAKE_CURRENT_LIST_DIR}/catalogue_fixture.cpp
            LIBS zb_catalogue_win TIMEOUT 240)
zb_add_test(NAME catalogue_shell_test
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/catalogue_shell_test.cpp ${CMAKE_CURRENT_LIST_DIR}/catalogue_fixture.cpp
            LIBS zb_catalogue_win TIMEOUT 240)
# What the panel starts in the tests: a title's program, or the mail and web handlers.
add_executable(catalogue_recorder WIN32 ${CMAKE_CURRENT_LIST_DIR}/catalogue_recorder.cpp)
target_link_options(catalogue_recorder PRIVATE -municode)
target_link_libraries(catalogue_recorder PRIVATE zb_win)
add_dependencies(catalogue_shell_test catalogue_recorder)
foreach(t catalogue_test catalogue_shell_test)
  add_dependencies(${t} QVOL2 zephonbuttonpro)
  set_tests_properties(${t} PROPERTIES RESOURCE_LOCK "quorvel_settings;zephon_registration")
endforeach()

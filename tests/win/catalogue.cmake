# The catalogue panel under Wine: QVOL2.exe driven through its real windows over collections laid
# out by the fixture (program folder with list files, CD tree on a mapped drive letter), and the
# drive setting in the settings store. Both change "DriveCD" of "Quorvel Vol. 2", so they hold the
# lock "quorvel_settings" as the uninstaller's test does.
zb_add_test(NAME catalogue_test
            SOURCES ${CMAKE_CURRENT_LIST_DIR}/catalogue_test.cpp ${CMAKE_CURRENT_LIST_DIR}/catalogue_fixture.cpp
            LIBS zb_catalogue_win TIMEOUT 240)
add_dependencies(catalogue_test QVOL2)
set_tests_properties(catalogue_test PROPERTIES RESOURCE_LOCK quorvel_settings)

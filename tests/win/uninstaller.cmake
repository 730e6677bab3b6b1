# The uninstaller under Wine: the settings store (on applications of its own), and TRVUQV2.exe driven
# through its real windows over collections "installed" by the fixture. The latter changes the
# per-user settings of "Quorvel Vol. 2", TRVAR.INI and the uninstall key of the prefix, so it holds
# the lock "quorvel_settings"; other tests that use those settings should hold it too.
zb_add_test(NAME uninstaller_settings_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/uninstaller_settings_test.cpp
            LIBS zb_uninstaller_win TIMEOUT 120)
zb_add_test(NAME uninstaller_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/uninstaller_test.cpp
            LIBS trvu_fixture TIMEOUT 400)
add_dependencies(uninstaller_test TRVUQV2)
set_tests_properties(uninstaller_test PROPERTIES RESOURCE_LOCK quorvel_settings)

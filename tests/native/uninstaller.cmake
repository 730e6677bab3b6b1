# The uninstaller's portable rules: protected folders, what gets deleted, texts, the closing report.
zb_add_test(NAME uninstaller_rules_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/uninstaller_rules_test.cpp
            LIBS zb_uninstaller_rules)

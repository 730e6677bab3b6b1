# The decoders' Windows file source under Wine.
zb_add_test(NAME imaging_win_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/imaging_win_test.cpp
            LIBS zb_imaging zb_imaging_forge)
target_compile_options(imaging_win_test PRIVATE -Wno-missing-field-initializers)

# Picture sources of the control: decoding, downloads through a stand-in downloader, picture
# objects and held pictures; plus the control's own fallbacks through COM.
zb_add_test(NAME control_pictures_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_pictures_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp
  LIBS zb_button_ctrl zb_olehost zb_jpeg zb_tiff ole32 oleaut32 uuid gdi32 user32)
if(TARGET zephonbuttonpro)
  add_dependencies(control_pictures_test zephonbuttonpro)
endif()

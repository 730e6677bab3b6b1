# Downloads through WinINet from a small HTTP server inside the test: the downloader's texts, files
# and names, and pictures from internet addresses through the registered control.
zb_add_test(NAME download_test
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/download_test.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_props_support.cpp
          ${CMAKE_CURRENT_LIST_DIR}/control_pictures_files.cpp
  LIBS zb_imaging zb_olectl zb_olehost zb_jpeg zb_tiff ws2_32 ole32 oleaut32 uuid gdi32 user32)
if(TARGET zephonbuttonpro)
  add_dependencies(download_test zephonbuttonpro)
endif()

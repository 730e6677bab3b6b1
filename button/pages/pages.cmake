# The property pages. zb_page_rules: the bindings between dialog controls and property values and
# the pages' own arithmetic (portable, unit-tested natively); zb_pages: the OLE page objects over
# the module's dialog templates (Windows). Included from the control's folder, so the control
# module links both.
file(GLOB zb_page_portable CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
list(FILTER zb_page_portable EXCLUDE REGEX "_(win|posix)\\.cpp$")
add_library(zb_page_rules STATIC ${zb_page_portable})
target_include_directories(zb_page_rules PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zb_page_rules PUBLIC zb_pixels)

if(WIN32)
  # The pages' bitmaps, drawn beside the module's other generated resources.
  find_program(ZB_PYTHON python3 REQUIRED)
  set(ZB_PAGE_BITMAPS ${CMAKE_BINARY_DIR}/button/control/res/page_profi.bmp)
  foreach(bitmap color_set color_select color_lock effects_sample images_row images_other)
    list(APPEND ZB_PAGE_BITMAPS ${CMAKE_BINARY_DIR}/button/control/res/page_${bitmap}.bmp)
  endforeach()
  add_custom_command(OUTPUT ${ZB_PAGE_BITMAPS}
    COMMAND ${ZB_PYTHON} ${CMAKE_CURRENT_LIST_DIR}/make_page_bitmaps.py ${CMAKE_BINARY_DIR}/button/control/res
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make_page_bitmaps.py
    COMMENT "Drawing the property pages' bitmaps")
  add_custom_target(zb_page_resources DEPENDS ${ZB_PAGE_BITMAPS})
  file(GLOB zb_page_win CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*_win.cpp)
  add_library(zb_pages STATIC ${zb_page_win})
  target_include_directories(zb_pages PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(zb_pages PUBLIC zb_page_rules zb_olectl zb_tooltip zb_imaging zb_button_logic comctl32 user32 ole32 oleaut32 uuid)
  # The module that links the pages compiles their templates and bitmaps into its resources.
  add_dependencies(zb_pages zb_page_resources)
endif()

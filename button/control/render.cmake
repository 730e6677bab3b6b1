# The button's paint, sizing rules and animation driver, as a library the control and the tests link.
set(zb_render_sources
  ${CMAKE_CURRENT_LIST_DIR}/ButtonLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonRendererFrames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/AnimationDirectory.cpp)
if(WIN32)
  list(APPEND zb_render_sources
    ${CMAKE_CURRENT_LIST_DIR}/ButtonRenderer_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtonRendererSurfaces_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AnimationDirectory_win.cpp)
endif()
add_library(zb_button_render STATIC ${zb_render_sources})
target_include_directories(zb_button_render PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zb_button_render PUBLIC zb_pixels)
if(WIN32)
  target_link_libraries(zb_button_render PUBLIC zb_win gdi32 user32)
endif()

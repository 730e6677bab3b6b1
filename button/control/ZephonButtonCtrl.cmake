# The button control class. zb_button_logic holds its portable rules (property table, mode bits,
# display choice, picture-table handles, the interaction's steps; built natively for unit tests too);
# zb_button_ctrl the control itself with its picture sources, fonts, paint and sizing, and its
# accessible object (Windows). The module links both.
add_library(zb_button_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrlProps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrlRules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrlPictureTable.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ButtonInteraction.cpp)
target_include_directories(zb_button_logic PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zb_button_logic PUBLIC zb_button_render)

if(WIN32)
  add_library(zb_button_ctrl STATIC
    ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrl_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrlStates_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrlInput_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrlPaint_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZephonButtonCtrlSafety_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PictureSources_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FontDescription_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtonAccessible_win.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ButtonAccessibility_win.cpp)
  target_include_directories(zb_button_ctrl PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(zb_button_ctrl PUBLIC zb_button_logic zb_button_render zb_olectl zb_imaging zb_tooltip zb_pixels zb_win
    oleacc)
endif()

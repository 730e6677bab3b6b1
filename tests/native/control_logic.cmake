# The button control's portable rules: property table, exchange order, mode bits, display choice, fonts.
set(zb_control_logic_sources
  ${CMAKE_SOURCE_DIR}/button/control/ZephonButtonCtrlProps.cpp
  ${CMAKE_SOURCE_DIR}/button/control/ZephonButtonCtrlRules.cpp
  ${CMAKE_SOURCE_DIR}/button/control/ZephonButtonCtrlPictureTable.cpp
  ${CMAKE_SOURCE_DIR}/button/control/FontDescription.cpp)
zb_add_test(NAME control_logic_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/control_logic_test.cpp ${zb_control_logic_sources})

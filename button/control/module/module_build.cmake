# Building a control module: type library (widl), drawn bitmaps and cursors, resources, exports.
# The type library's platform (its syskind) names the TypeLib subkey, win32 or win64, that
# RegisterTypeLib writes: each bitness carries a library of its own kind.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(zb_tlb_kind --win64)
  set(zb_stdole_dir /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
else()
  set(zb_tlb_kind --win32)
  set(zb_stdole_dir /usr/lib/i386-linux-gnu/wine/i386-windows)
endif()
find_program(ZB_WIDL ${TOOLCHAIN_PREFIX}-widl widl REQUIRED)
find_program(ZB_PYTHON python3 REQUIRED)
find_path(ZB_WINE_IDL_DIR oaidl.idl PATHS /usr/include/wine/wine/windows NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_path(ZB_STDOLE_DIR stdole2.tlb PATHS ${zb_stdole_dir} NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)

set(ZB_MODULE_DIR ${CMAKE_CURRENT_LIST_DIR})
set(ZB_MODULE_RES ${CMAKE_BINARY_DIR}/button/control/res)
set(zb_module_generated
  ${ZB_MODULE_RES}/ZephonButton.tlb
  ${ZB_MODULE_RES}/toolbox.bmp
  ${ZB_MODULE_RES}/placeholder_normal.bmp
  ${ZB_MODULE_RES}/placeholder_over.bmp
  ${ZB_MODULE_RES}/placeholder_down.bmp
  ${ZB_MODULE_RES}/placeholder_disable.bmp
  ${ZB_MODULE_RES}/hand.cur
  ${ZB_MODULE_RES}/hand_pressed.cur)
add_custom_command(OUTPUT ${ZB_MODULE_RES}/ZephonButton.tlb
  COMMAND ${CMAKE_COMMAND} -E make_directory ${ZB_MODULE_RES}
  COMMAND ${ZB_WIDL} -I ${ZB_WINE_IDL_DIR} -L ${ZB_STDOLE_DIR} ${zb_tlb_kind} -t
          -o ${ZB_MODULE_RES}/ZephonButton.tlb ${CMAKE_SOURCE_DIR}/button/control/ZephonButton.idl
  # Enabled and Text (DISPIDs -514, -517) of _DZephonButton: bindable, requestedit.
  COMMAND ${ZB_PYTHON} ${CMAKE_SOURCE_DIR}/button/control/resgen/mark_bindable.py ${ZB_MODULE_RES}/ZephonButton.tlb
          6C3A1E02-E4F2-4D88-ABF2-7C20586EDC21 -514 -517
  DEPENDS ${CMAKE_SOURCE_DIR}/button/control/ZephonButton.idl ${CMAKE_SOURCE_DIR}/button/control/resgen/mark_bindable.py
  COMMENT "Type library ZephonButton.tlb")
add_custom_command(OUTPUT ${ZB_MODULE_RES}/toolbox.bmp ${ZB_MODULE_RES}/placeholder_normal.bmp
    ${ZB_MODULE_RES}/placeholder_over.bmp ${ZB_MODULE_RES}/placeholder_down.bmp
    ${ZB_MODULE_RES}/placeholder_disable.bmp ${ZB_MODULE_RES}/hand.cur ${ZB_MODULE_RES}/hand_pressed.cur
  COMMAND ${ZB_PYTHON} ${CMAKE_SOURCE_DIR}/button/control/resgen/make_resources.py ${ZB_MODULE_RES}
  DEPENDS ${CMAKE_SOURCE_DIR}/button/control/resgen/make_resources.py
  COMMENT "Drawing the module's bitmaps and cursors")
add_custom_target(zb_module_resources DEPENDS ${zb_module_generated})

# zb_add_control_module(NAME target OUTPUT_NAME file SOURCES ... LIBS ...)
# A control module (.OCX): the exports, registration and resources around a control whose
# zephon::CreateZephonButton the given sources provide.
function(zb_add_control_module)
  cmake_parse_arguments(M "" "NAME;OUTPUT_NAME" "SOURCES;LIBS" ${ARGN})
  set(rc ${ZB_MODULE_DIR}/module.rc)
  # The resource compiler's includes are not tracked by the build: name the page templates here.
  set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS
    "${zb_module_generated};${CMAKE_SOURCE_DIR}/button/pages/pages.rc;${CMAKE_SOURCE_DIR}/button/pages/PageResources.h;${ZB_PAGE_BITMAPS}")
  add_library(${M_NAME} SHARED ${ZB_MODULE_DIR}/module.cpp ${ZB_MODULE_DIR}/module.def ${rc} ${M_SOURCES})
  add_dependencies(${M_NAME} zb_module_resources)
  target_include_directories(${M_NAME} PRIVATE ${CMAKE_SOURCE_DIR} ${ZB_MODULE_RES})
  target_link_libraries(${M_NAME} PRIVATE ${M_LIBS} zb_olectl)
  set_target_properties(${M_NAME} PROPERTIES PREFIX "" OUTPUT_NAME ${M_OUTPUT_NAME} SUFFIX ".OCX")
  # At 32 bits the exported functions are stdcall (_DllGetClassObject@12): module.def names them
  # undecorated, and the linker maps those names to the decorated symbols.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    target_link_options(${M_NAME} PRIVATE -Wl,--enable-stdcall-fixup)
  endif()
endfunction()

# zb_add_manifest(<target> <execution level>): embeds the programs' one application manifest
# (app.manifest.in: only the program's name and the level UAC asks for differ) as resource 1 of
# type RT_MANIFEST.
if(WIN32)
  enable_language(RC)
endif()

function(zb_add_manifest target level)
  get_target_property(ZB_MANIFEST_PROGRAM ${target} OUTPUT_NAME)
  if(NOT ZB_MANIFEST_PROGRAM)
    set(ZB_MANIFEST_PROGRAM ${target})
  endif()
  set(ZB_MANIFEST_LEVEL ${level})
  set(dir ${CMAKE_CURRENT_BINARY_DIR}/manifest)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/app.manifest.in ${dir}/${target}.manifest @ONLY)
  # CREATEPROCESS_MANIFEST_RESOURCE_ID RT_MANIFEST
  file(CONFIGURE OUTPUT ${dir}/${target}.manifest.rc CONTENT "1 24 \"${dir}/${target}.manifest\"\n")
  target_sources(${target} PRIVATE ${dir}/${target}.manifest.rc)
  set_source_files_properties(${dir}/${target}.manifest.rc PROPERTIES OBJECT_DEPENDS ${dir}/${target}.manifest)
endfunction()

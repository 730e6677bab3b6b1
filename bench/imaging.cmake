# Decoder throughput beside independent tools run as subprocesses (native only: the tools are Linux
# programs). Run: $ZB_BUILD/native/bin/imaging_bench
if(NOT WIN32)
  zb_add_bench(NAME imaging_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/imaging_bench.cpp
               LIBS zb_imaging zb_imaging_forge)
  target_compile_options(imaging_bench PRIVATE -Wno-missing-field-initializers)
endif()

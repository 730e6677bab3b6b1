# libFuzzer targets of the picture decoders. The decoders and the pixel buffer are compiled again
# here with coverage and sanitizer instrumentation; libjpeg and libtiff are the system's.
zb_sources(zb_fuzz_imaging_sources ${CMAKE_SOURCE_DIR}/button/imaging)
zb_sources(zb_fuzz_pixels_sources ${CMAKE_SOURCE_DIR}/button/pixels)
set(zb_fuzz_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_library(zb_imaging_fuzzed STATIC ${zb_fuzz_imaging_sources} ${zb_fuzz_pixels_sources})
target_include_directories(zb_imaging_fuzzed PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(zb_imaging_fuzzed PUBLIC ${zb_fuzz_flags} PRIVATE -fsanitize=fuzzer-no-link)
target_link_options(zb_imaging_fuzzed PUBLIC ${zb_fuzz_flags})
target_link_libraries(zb_imaging_fuzzed PRIVATE zb_jpeg zb_tiff)

foreach(target fuzz_bmp fuzz_gif fuzz_family)
  add_executable(${target} ${CMAKE_CURRENT_LIST_DIR}/${target}.cpp)
  target_compile_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${target} PRIVATE zb_imaging_fuzzed)
endforeach()

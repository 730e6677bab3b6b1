# libFuzzer target of the persisted-property record format (the control's stream data).
set(zb_fuzz_flags -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
add_executable(fuzz_proprecords ${CMAKE_CURRENT_LIST_DIR}/fuzz_proprecords.cpp
  ${CMAKE_SOURCE_DIR}/button/framework/PropRecords.cpp)
target_include_directories(fuzz_proprecords PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(fuzz_proprecords PRIVATE ${zb_fuzz_flags} -fsanitize=fuzzer)
target_link_options(fuzz_proprecords PRIVATE ${zb_fuzz_flags} -fsanitize=fuzzer)

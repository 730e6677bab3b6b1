# Picture decoders: rules and hostile input (imaging_test), and agreement with independent decoders
# over the committed corpus in tests/data/imaging (imaging_reference_test).
add_library(zb_imaging_forge STATIC ${CMAKE_CURRENT_LIST_DIR}/imaging_forge.cpp)
target_include_directories(zb_imaging_forge PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(zb_imaging_forge PUBLIC zb_jpeg zb_tiff)

zb_add_test(NAME imaging_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/imaging_test.cpp
            LIBS zb_imaging zb_imaging_forge zb_tiff)
# The tests describe pictures with partly filled aggregates.
target_compile_options(imaging_test PRIVATE -Wno-missing-field-initializers)

# Writes our own pictures for the reference corpus (tests/data/imaging/make-corpus.sh).
add_executable(imaging_corpus ${CMAKE_CURRENT_LIST_DIR}/imaging_corpus.cpp)
target_link_libraries(imaging_corpus PRIVATE zb_imaging_forge)
target_compile_options(imaging_corpus PRIVATE -Wno-missing-field-initializers)

zb_add_test(NAME imaging_reference_test SOURCES ${CMAKE_CURRENT_LIST_DIR}/imaging_reference_test.cpp
            LIBS zb_imaging zb_imaging_forge)
if(NOT WIN32)
  # The same comparison over a larger corpus made now by the system's encoders and decoders.
  add_test(NAME imaging_reference_live
           COMMAND sh -c "d=$(mktemp -d) && ${CMAKE_SOURCE_DIR}/tests/data/imaging/make-corpus.sh \
$<TARGET_FILE:imaging_corpus> $d 301 203 >/dev/null && ZB_IMAGING_CORPUS=$d $<TARGET_FILE:imaging_reference_test> \
--gtest_brief=1; r=$?; rm -rf $d; exit $r")
  set_tests_properties(imaging_reference_live PROPERTIES TIMEOUT 300 LABELS "native")
  add_dependencies(imaging_reference_test imaging_corpus)
endif()

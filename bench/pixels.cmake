zb_add_bench(NAME pixels_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/pixels_bench.cpp LIBS zb_pixels)

# Paint cost of the button against BitBlt (Windows build; runs under Wine).
if(WIN32)
  zb_add_bench(NAME render_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/render_bench.cpp LIBS zb_button_render)
endif()

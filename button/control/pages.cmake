# The property pages live in button/pages; their libraries are defined here so the module links them.
include(${CMAKE_SOURCE_DIR}/button/pages/pages.cmake)

# The renderer core, pacing, surfaces and primitives list their files in renderer.cmake; the BMP
# reader, sprites and fonts in sprites.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/renderer.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/sprites.cmake)

# The renderer core, pacing, surfaces and primitives list their files in renderer.cmake; the BMP
# reader, sprites and fonts in sprites.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/renderer.cmake OPTIONAL RESULT_VARIABLE tobli_renderer_list)
if(NOT tobli_renderer_list)
  target_sources(tobli_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/renderer_service.cpp)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/sprites.cmake OPTIONAL RESULT_VARIABLE tobli_sprites_list)
if(NOT tobli_sprites_list)
  target_sources(tobli_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/font_service.cpp)
endif()

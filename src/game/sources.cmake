# Each part of the game lists its own files in its fragment.
foreach(part start play boxes enemies effects editor driver)
  include(${CMAKE_CURRENT_LIST_DIR}/${part}.cmake OPTIONAL RESULT_VARIABLE tobli_part_list)
endforeach()
# Until the game's start-up lands, the placeholder program shows an empty window.
if(NOT EXISTS ${CMAKE_CURRENT_LIST_DIR}/start.cmake)
  target_sources(tobli_game PRIVATE ${CMAKE_CURRENT_LIST_DIR}/main_game_sub.cpp)
endif()

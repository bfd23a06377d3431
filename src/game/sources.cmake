target_sources(tobli_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/main_game_sub.cpp
)

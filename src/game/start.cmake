# Game state, start-up, level files and the screens before a game.
target_sources(tobli_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_program.cpp
  ${CMAKE_CURRENT_LIST_DIR}/levels.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_save.cpp
  ${CMAKE_CURRENT_LIST_DIR}/level_file_create.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/box_text.h
)

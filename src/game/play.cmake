# Play: the game loop, player control and the drawing of the play field.
target_sources(tobli_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/main_game.cpp
  ${CMAKE_CURRENT_LIST_DIR}/player_control.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ice_curves.h
  ${CMAKE_CURRENT_LIST_DIR}/pass_observer.h
  ${CMAKE_CURRENT_LIST_DIR}/pickup_list.h
  ${CMAKE_CURRENT_LIST_DIR}/key_release.h
  ${CMAKE_CURRENT_LIST_DIR}/whole.h
)

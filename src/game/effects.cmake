# Beamer pads, explosions and the player's death.
target_sources(tobli_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/effects.cpp
)

# Enemies: the per-frame enemy pass and the start of an enemy's death.
target_sources(tobli_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/enemies.cpp
)

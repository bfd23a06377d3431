# Boxes and switches: the box table, pushing, the per-frame box pass, crate targets, the block
# toggle and the magnet-off plates.
target_sources(tobli_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/boxes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/box_pass.cpp
  ${CMAKE_CURRENT_LIST_DIR}/box_table.h
)

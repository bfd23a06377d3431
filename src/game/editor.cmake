# The level editor: its loop, what it shows and the changes it makes to the level.
target_sources(tobli_game PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/editor.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_screens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_tools.cpp
  ${CMAKE_CURRENT_LIST_DIR}/editor_parts.h
)

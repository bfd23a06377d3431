# The BMP reader, textures, sprites, fonts and their commands (with the start-up font).
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bmp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/textures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprites.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fonts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sprite_commands.cpp
)

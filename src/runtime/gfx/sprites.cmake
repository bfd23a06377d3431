# The BMP reader, textures, sprites, fonts and their commands.
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/bmp.cpp
  ${CMAKE_CURRENT_LIST_DIR}/font_service.cpp
)

target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl/sdl_platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl/window_scaling.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl/window_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl/keymap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/headless/headless_platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_platform.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl/sdl_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sdl/sdl_audio.cpp
)

target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/audio_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/audio_service.cpp
  ${CMAKE_CURRENT_LIST_DIR}/music.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sfx_sound.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sound_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wav_reader.cpp
)

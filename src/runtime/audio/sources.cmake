include(${CMAKE_CURRENT_LIST_DIR}/audio.cmake OPTIONAL RESULT_VARIABLE tobli_audio_list)
if(NOT tobli_audio_list)
  target_sources(tobli_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/audio_service.cpp)
endif()

include(${CMAKE_CURRENT_LIST_DIR}/audio.cmake)

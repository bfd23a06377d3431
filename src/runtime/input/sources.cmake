include(${CMAKE_CURRENT_LIST_DIR}/input.cmake)

include(${CMAKE_CURRENT_LIST_DIR}/path.cmake)

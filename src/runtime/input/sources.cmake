include(${CMAKE_CURRENT_LIST_DIR}/input.cmake OPTIONAL RESULT_VARIABLE tobli_input_list)
if(NOT tobli_input_list)
  target_sources(tobli_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/input_service.cpp)
endif()

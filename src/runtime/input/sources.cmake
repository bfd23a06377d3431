target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/input_service.cpp
)

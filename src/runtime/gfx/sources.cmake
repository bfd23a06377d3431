target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/renderer_service.cpp
)

target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/archive_service.cpp
)

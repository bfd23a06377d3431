# The archive and packed blocks list their files in archive.cmake; the text-file cache and file
# commands in files.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/archive.cmake OPTIONAL RESULT_VARIABLE tobli_archive_list)
if(NOT tobli_archive_list)
  target_sources(tobli_runtime PRIVATE ${CMAKE_CURRENT_LIST_DIR}/archive_service.cpp)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/files.cmake OPTIONAL)

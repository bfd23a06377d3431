# The media archive, its fetch step, packed blocks and the file handle.
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/archive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archive_directory.cpp
  ${CMAKE_CURRENT_LIST_DIR}/archive_extract_dir.cpp
  ${CMAKE_CURRENT_LIST_DIR}/compression.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_system.cpp
  ${CMAKE_CURRENT_LIST_DIR}/member_buffer.cpp
)

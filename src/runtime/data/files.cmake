# The text-file cache and the file-system commands of the language.
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/plain_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fast_file.cpp
  ${CMAKE_CURRENT_LIST_DIR}/wild_match.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/file_request.cpp
)

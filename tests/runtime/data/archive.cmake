# Packed blocks, the file handle, the archive directory and the fetch step.
tobli_add_gtest(archive_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/archive_builder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/archive_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/compression_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/file_system_test.cpp
  LIBS vez_writer)

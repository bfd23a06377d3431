# The archive and packed blocks list their files in archive.cmake; the text-file cache and file
# commands in files.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/archive.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/files.cmake)

target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/kdstr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arrays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process_exit.cpp
)
# The built-in functions list their files in builtins.cmake.
include(${CMAKE_CURRENT_LIST_DIR}/builtins.cmake)

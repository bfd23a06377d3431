target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/kdstr.cpp
  ${CMAKE_CURRENT_LIST_DIR}/number_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/arrays.cpp
  ${CMAKE_CURRENT_LIST_DIR}/error_log.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frame.cpp
  ${CMAKE_CURRENT_LIST_DIR}/process_exit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/random_service.cpp
)

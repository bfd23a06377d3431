target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/dxinput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/input_service.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_input.cpp
)

# The built-in functions: random generator, maths and texts, starting programs.
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/isaac.cpp
  ${CMAKE_CURRENT_LIST_DIR}/builtins.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shell_command.cpp
)

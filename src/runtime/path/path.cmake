# The path planner and FINDPATH.
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/node.cpp
  ${CMAKE_CURRENT_LIST_DIR}/node_hash_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sorted_open_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/indexed_open_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/planner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/astar_planner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/findpath.cpp)

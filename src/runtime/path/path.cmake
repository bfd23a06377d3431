# The path planner and FINDPATH.
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/cost_map.cpp
  ${CMAKE_CURRENT_LIST_DIR}/node.cpp
  ${CMAKE_CURRENT_LIST_DIR}/node_hash_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sorted_open_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/indexed_open_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/planner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/astar_planner.cpp
  ${CMAKE_CURRENT_LIST_DIR}/findpath.cpp)
# GCC keeps the branchless loops of the cost map scalar unless floating-point comparisons may be
# taken as free of traps and the vectoriser may weigh its costs (the planner never reads the
# floating-point exception flags).
set_source_files_properties(${CMAKE_CURRENT_LIST_DIR}/cost_map.cpp PROPERTIES COMPILE_OPTIONS
  "$<$<CXX_COMPILER_ID:GNU>:-fno-trapping-math;-fvect-cost-model=dynamic>")

# The renderer core, the frame clock and SHOWSCREEN, surfaces and primitives.
target_sources(tobli_runtime PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/lumetra.cpp
  ${CMAKE_CURRENT_LIST_DIR}/pacing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/surfaces.cpp
  ${CMAKE_CURRENT_LIST_DIR}/primitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/renderer_service.cpp
)

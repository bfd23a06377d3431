# Each part of the game lists its own files in its fragment.
foreach(part start play boxes enemies effects editor driver)
  include(${CMAKE_CURRENT_LIST_DIR}/${part}.cmake)
endforeach()

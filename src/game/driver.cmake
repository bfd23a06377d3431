# The headless game driver: used by the game tests and the replay tool.
target_sources(tobli_game PRIVATE ${CMAKE_CURRENT_LIST_DIR}/driver/headless_driver.cpp)

tobli_add_gtest(builtins_test SOURCES builtins_test.cpp isaac_test.cpp shell_command_test.cpp)

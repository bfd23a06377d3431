tobli_add_gtest(bmp_test SOURCES bmp_test.cpp)

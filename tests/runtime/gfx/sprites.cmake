tobli_add_gtest(bmp_test SOURCES bmp_test.cpp)
tobli_add_gtest(sprites_test SOURCES sprites_test.cpp)
tobli_add_gtest(fonts_test SOURCES fonts_test.cpp)

tobli_add_gtest(renderer_pacing_test SOURCES renderer_pacing_test.cpp)
    tobli_add_gtest(renderer_core_test SOURCES renderer_core_test.cpp)
        tobli_add_gtest(surfaces_test SOURCES surfaces_test.cpp)
            tobli_add_gtest(primitives_test SOURCES primitives_test.cpp)

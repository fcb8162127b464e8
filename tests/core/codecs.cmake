# Board-file and pattern-file codecs.
add_executable(codec_tests ${CMAKE_CURRENT_LIST_DIR}/vie_test.cpp ${CMAKE_CURRENT_LIST_DIR}/lif_test.cpp)
target_link_libraries(codec_tests PRIVATE GTest::gtest_main ostrane_vie ostrane_lif)
target_compile_options(codec_tests PRIVATE ${OSTRANE_WARNINGS})
target_compile_definitions(codec_tests PRIVATE OSTRANE_LIF_TEST_DATA="${CMAKE_CURRENT_LIST_DIR}/../data/lif")
gtest_discover_tests(codec_tests)

# The program's own pictures, and the help file that ships with it.
find_package(GTest REQUIRED)
include(GoogleTest)

add_executable(pictures_tests
  ${PROJECT_SOURCE_DIR}/tests/shell/pictures_test.cpp
  ${PROJECT_SOURCE_DIR}/shell/pictures.cpp)
target_include_directories(pictures_tests PRIVATE ${PROJECT_SOURCE_DIR}/shell)
target_link_libraries(pictures_tests PRIVATE Qt6::Gui GTest::gtest)
target_compile_options(pictures_tests PRIVATE ${OSTRANE_WARNINGS})
gtest_discover_tests(pictures_tests PROPERTIES ENVIRONMENT QT_QPA_PLATFORM=offscreen)

add_executable(asset_tests ${PROJECT_SOURCE_DIR}/tests/shell/asset_test.cpp)
target_compile_definitions(asset_tests PRIVATE OSTRANE_ASSET_DIR="${PROJECT_SOURCE_DIR}/assets")
target_link_libraries(asset_tests PRIVATE GTest::gtest_main)
target_compile_options(asset_tests PRIVATE ${OSTRANE_WARNINGS})
gtest_discover_tests(asset_tests)

# The rich-text control, in an offscreen application.
add_executable(platform_rtb_tests ${CMAKE_CURRENT_LIST_DIR}/richtextbox_test.cpp)
target_link_libraries(platform_rtb_tests PRIVATE ostrane_platform ostrane_rtf GTest::gtest Qt6::Test Qt6::Widgets)
if(TARGET ostrane_testsupport)
  target_link_libraries(platform_rtb_tests PRIVATE ostrane_testsupport)
else()
  target_compile_definitions(platform_rtb_tests PRIVATE OSTRANE_RTB_OWN_MAIN)
endif()
target_compile_definitions(platform_rtb_tests PRIVATE
  OSTRANE_RTF_TEST_DATA="${CMAKE_CURRENT_LIST_DIR}/../data/rtf")
target_compile_options(platform_rtb_tests PRIVATE ${OSTRANE_WARNINGS})
gtest_discover_tests(platform_rtb_tests PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" DISCOVERY_TIMEOUT 60)

# The main window's frame and its board tools, driven through the real program.
ostrane_window_test(board_tools_tests
  ${CMAKE_CURRENT_LIST_DIR}/frame_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/universe_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/shift_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/placement_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/parity_test.cpp)
target_link_libraries(board_tools_tests PRIVATE ostrane_windowtests)

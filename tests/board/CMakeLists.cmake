# The main window's board, driven through the real program.
set(_board_tests ${CMAKE_CURRENT_LIST_DIR})
ostrane_window_test(board_tests
  ${_board_tests}/setup_test.cpp
  ${_board_tests}/rules_test.cpp
  ${_board_tests}/step_test.cpp
  ${_board_tests}/auto_test.cpp
  ${_board_tests}/captions_test.cpp)
target_link_libraries(board_tests PRIVATE ostrane_windowtests)

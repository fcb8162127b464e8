# The main window's board, driven through the real program.
set(_board_tests ${CMAKE_CURRENT_LIST_DIR})
ostrane_window_test(board_tests
  ${_board_tests}/Partie.cpp
  ${_board_tests}/setup_test.cpp
  ${_board_tests}/rules_test.cpp
  ${_board_tests}/step_test.cpp
  ${_board_tests}/auto_test.cpp)
target_include_directories(board_tests PRIVATE ${_board_tests})

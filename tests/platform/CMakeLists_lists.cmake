# The drive, folder and file lists, in an offscreen application.
ostrane_window_test(filelists_tests ${CMAKE_CURRENT_LIST_DIR}/filelists_test.cpp)

# The test window program: windows of a given class and title that close on
# request, ignore it, or close late; started by tests through testlib.
add_executable(test_window WIN32 ${CMAKE_SOURCE_DIR}/tests/helpers/test_window.cpp)
target_link_libraries(test_window PRIVATE user32 kernel32)
target_compile_options(test_window PRIVATE -Wall -Wextra)
add_dependencies(testlib test_window)
target_compile_definitions(testlib PUBLIC TEST_WINDOW_EXE_PATH="Z:${CMAKE_BINARY_DIR}/test_window.exe")
target_link_libraries(testlib PUBLIC shell32)

# The program that plays the user of `make demo` when there is no display.
add_executable(demo_driver ${CMAKE_SOURCE_DIR}/tests/demo/demo_driver.cpp)
target_link_libraries(demo_driver PRIVATE testlib)
target_include_directories(demo_driver PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)

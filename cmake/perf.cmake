# `make perf`: the program that times SETUP.EXE's whole installation, and
# the same program as a GUI one that only starts and ends, for Wine's own
# start-up under the peer installer's figures (which is a GUI program too).
add_executable(perf_driver ${CMAKE_SOURCE_DIR}/tests/perf/perf_driver.cpp)
target_link_libraries(perf_driver PRIVATE testlib)
target_include_directories(perf_driver PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
add_executable(perf_noop ${CMAKE_SOURCE_DIR}/tests/perf/perf_driver.cpp)
target_link_libraries(perf_noop PRIVATE testlib)
target_include_directories(perf_noop PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
target_link_options(perf_noop PRIVATE -mwindows)
add_dependencies(perf_driver setup perf_noop)

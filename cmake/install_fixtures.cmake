# Libraries with and without version resources, for the system-file tests.
function(add_versioned_library name a b c d)
  add_library(${name} SHARED ${CMAKE_SOURCE_DIR}/tests/data/versioned/library.cpp
                             ${CMAKE_SOURCE_DIR}/tests/data/versioned/versioned.rc)
  target_compile_definitions(${name} PRIVATE VER_A=${a} VER_B=${b} VER_C=${c} VER_D=${d})
  set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures
                                           RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures)
  add_dependencies(fixtures_versioned ${name})
endfunction()

add_custom_target(fixtures_versioned ALL)
add_versioned_library(ver4000 4 0 0 0)
add_versioned_library(ver4001 4 0 0 1)
add_versioned_library(ver5000 5 0 0 0)
add_library(noversion SHARED ${CMAKE_SOURCE_DIR}/tests/data/versioned/library.cpp)
set_target_properties(noversion PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures)
add_dependencies(fixtures_versioned noversion)
target_compile_definitions(testlib PUBLIC FIXTURE_DIR="Z:${CMAKE_BINARY_DIR}/fixtures")

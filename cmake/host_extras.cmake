# Host extras: the decoder over a memory file layer (its fault-injection
# tests, the benchmark, the fuzz targets and their replay).

include(cmake/zip_extras.cmake)

set(DECODER_MEMORY_SOURCES ${DECODER_SOURCES}
  host/cpu_features_posix.cpp host/thread_state_posix.cpp host/memory_block_posix.cpp bench/memory_files.cpp)
list(TRANSFORM DECODER_MEMORY_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
add_library(decoder_memory STATIC ${DECODER_MEMORY_SOURCES})
target_include_directories(decoder_memory PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(decoder_memory PRIVATE -Wall -Wextra)

# Decoder tests on memory files (faults injected): tests/host/*_cases.cpp.
file(GLOB CASE_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*_cases.cpp)
foreach(src ${CASE_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(host_${name} ${src})
  target_link_libraries(host_${name} PRIVATE decoder_memory z GTest::gtest_main)
  target_include_directories(host_${name} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  add_test(NAME host_${name} COMMAND host_${name})
  set_tests_properties(host_${name} PROPERTIES LABELS host TIMEOUT 600)
endforeach()

# The benchmark: built always (so it keeps compiling), run by make bench
# from an optimised build without sanitizers.
find_path(LIBDEFLATE_INCLUDE libdeflate.h)
find_library(LIBDEFLATE_LIBRARY deflate)
if(LIBDEFLATE_INCLUDE AND LIBDEFLATE_LIBRARY)
  add_executable(inflate_bench ${CMAKE_SOURCE_DIR}/bench/inflate_bench.cpp)
  target_compile_definitions(inflate_bench PRIVATE HAVE_LIBDEFLATE=1)
  target_link_libraries(inflate_bench PRIVATE decoder_memory z ${LIBDEFLATE_LIBRARY})
endif()

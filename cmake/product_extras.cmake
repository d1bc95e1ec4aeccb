include(cmake/zip_extras.cmake)

# Product extras: the decoder's hot files are compiled for speed even in
# the size-optimised product (an installer spends its time there), and the
# decoder benchmark for i686 Windows against zlib built for MinGW. The
# benchmark gives the decoder quiet ports: under Wine every PeekMessage is a
# round trip to the wine server, which would measure Wine instead of the
# decoder.

set_source_files_properties(${DECODER_SPEED_SOURCES} PROPERTIES COMPILE_OPTIONS "${DECODER_SPEED_OPTIONS}")
# The benchmark is built at -O2: the careful decoder says for itself that it
# is compiled as the product compiles it.
set_source_files_properties(${CMAKE_SOURCE_DIR}/unzip/inflate.cpp PROPERTIES COMPILE_OPTIONS "-Os")

find_library(MINGW_ZLIB NAMES libz.a z)
if(MINGW_ZLIB)
  set(BENCH_DECODER_SOURCES ${DECODER_SOURCES} unzip/cpu_features_win32.cpp fs/thread_state_win32.cpp
    fs/memory_block_win32.cpp bench/memory_files.cpp bench/inflate_bench.cpp)
  list(TRANSFORM BENCH_DECODER_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
  add_executable(inflate_bench ${BENCH_DECODER_SOURCES})
  target_include_directories(inflate_bench PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(inflate_bench PRIVATE ${PRODUCT_CPU_OPTIONS} -O2)
  target_link_libraries(inflate_bench PRIVATE ${MINGW_ZLIB} user32 kernel32)
  target_link_options(inflate_bench PRIVATE -static)
endif()

# Archives for the decoder tests.
add_inflate_fixtures()
if(TARGET win32_inflate_archives_test)
  target_compile_definitions(win32_inflate_archives_test PRIVATE INFLATE_FIXTURE_DIR="Z:${INFLATE_FIXTURES}")
  add_dependencies(win32_inflate_archives_test inflate_fixtures)
endif()

# The test window program and the testlib parts for the program group.
include(cmake/progman_extras.cmake)

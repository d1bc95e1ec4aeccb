# Shared helpers for both builds.

# Collects the .cpp files of the given folders, leaving out one seam kind.
function(collect_sources out exclude_suffix)
  set(result)
  foreach(folder ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
    foreach(f ${found})
      if(NOT f MATCHES "${exclude_suffix}\\.cpp$" AND NOT f MATCHES "/startup/main\\.cpp$")
        list(APPEND result ${f})
      endif()
    endforeach()
  endforeach()
  set(${out} ${result} PARENT_SCOPE)
endfunction()

# GoogleTest from the Debian sources.
function(add_googletest)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# One test program per test source file; those named in OWN_TEST_RUNS are
# built here but run by commands of their own.
function(add_test_programs folder libs)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_test.cpp)
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    set(target ${folder}_${name})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${libs} GTest::gtest_main)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    if(NOT target IN_LIST OWN_TEST_RUNS)
      add_test(NAME ${target} COMMAND ${target})
      set_tests_properties(${target} PROPERTIES LABELS ${folder} TIMEOUT 600)
    endif()
  endforeach()
endfunction()

# The product's code runs on the processors of its systems: Windows 95
# needs only a 386DX, NT 3.51 a 386, NT 4.0 a 486. Only the functions that
# processor and system feature bits choose at run time carry newer
# instructions (their own target attributes). Tuned for the 386 as well,
# which gives the smallest code; the decoder's hot files are tuned apart.
set(PRODUCT_CPU_OPTIONS -march=i386 -mtune=i386)

# Every product object's code generation; the product's own C routines
# are built without the compiler's knowledge of their names as well, or it
# would compile their loops into calls to themselves.
set(PRODUCT_COMPILE_OPTIONS ${PRODUCT_CPU_OPTIONS} -Wall -Wextra -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables
    -fno-threadsafe-statics -ffunction-sections -fno-jump-tables)
set(RUNTIME_SOURCES ${CMAKE_SOURCE_DIR}/startup/runtime/memory_routines.cpp
  ${CMAKE_SOURCE_DIR}/startup/runtime/long_division.cpp)
set(RUNTIME_COMPILE_OPTIONS -ffreestanding -fno-builtin -fno-tree-loop-distribute-patterns -fno-stack-protector)

# The decoder: inflate, its input and output, CRC-32 and the processor
# features that choose their loops. Every program that carries it (the
# product, the benchmarks, the fuzz targets, the old-processor test) takes
# this list and adds its own seams.
set(DECODER_SOURCES unzip/inflate.cpp unzip/inflate_fast.cpp unzip/inflate_tables.cpp unzip/crc32.cpp
  unzip/crc32_clmul.cpp unzip/cpu_features.cpp unzip/decoder_io.cpp)

# The decoder's hot files are compiled for speed, and tuned for today's
# processors, even in the size-optimised product: an installer spends its
# time there. The careful decoder (inflate.cpp) is not among them: it runs
# only near buffer ends and for block headers, and compiled for size it
# measures the same and is 2 KB smaller.
set(DECODER_SPEED_SOURCES unzip/inflate_fast.cpp unzip/inflate_tables.cpp unzip/crc32.cpp unzip/crc32_clmul.cpp)
list(TRANSFORM DECODER_SPEED_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
set(DECODER_SPEED_OPTIONS -O2 -mtune=generic)

# The decoder tests' archives, made at build time by the real archivers.
function(add_inflate_fixtures)
  set(INFLATE_FIXTURES ${CMAKE_BINARY_DIR}/inflate_fixtures PARENT_SCOPE)
  set(out ${CMAKE_BINARY_DIR}/inflate_fixtures)
  add_custom_command(OUTPUT ${out}/zip9.zip
    COMMAND ${CMAKE_SOURCE_DIR}/tests/win32/make_inflate_fixtures.sh ${out} ${CMAKE_SOURCE_DIR}
    DEPENDS ${CMAKE_SOURCE_DIR}/tests/win32/make_inflate_fixtures.sh
    COMMENT "Archives for the decoder tests")
  add_custom_target(inflate_fixtures DEPENDS ${out}/zip9.zip)
endfunction()

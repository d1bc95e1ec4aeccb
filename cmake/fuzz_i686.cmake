# The decoder's 32-bit loops are the ones SETUP.EXE runs, and a 64-bit
# host build never compiles them (its word holds three literals, not one
# or two). So the decoder's memory targets are built once more as i686
# Linux programs: by clang for that target, against the i686 cross
# compiler's C++ library and the i386 zlib (both linked in, so that only
# the i386 C library that Wine brings is needed), with the same
# sanitizers. In the fuzz build each is the libFuzzer program
# i686/TARGET_i686, which shares TARGET's seeds and crashers; in every
# other host build a replay of them in the test run.
find_program(I686_CLANGXX clang++ REQUIRED)
find_program(I686_LINUX_CXX i686-linux-gnu-g++ REQUIRED)
find_file(I686_ZLIB libz.a PATHS /usr/lib/i386-linux-gnu NO_DEFAULT_PATH REQUIRED)
get_filename_component(i686_prefix ${I686_LINUX_CXX} DIRECTORY)
get_filename_component(i686_prefix ${i686_prefix} DIRECTORY)

if(CORVANE_FUZZ)
  set(i686_suffix _i686)
  set(i686_sanitizers -fsanitize=fuzzer,address,undefined)
else()
  set(i686_suffix _i686_replay)
  set(i686_sanitizers -fsanitize=address,undefined)
endif()
set(i686_options --target=i686-linux-gnu --gcc-toolchain=${i686_prefix} -std=c++${CMAKE_CXX_STANDARD} -O1 -g
  -fno-omit-frame-pointer -fno-sanitize-recover=undefined ${i686_sanitizers} -I${CMAKE_SOURCE_DIR}
  -Wno-unknown-attributes)

function(add_i686_fuzz_target target)
  set(name ${target}${i686_suffix})
  set(sources ${DECODER_MEMORY_SOURCES} ${CMAKE_SOURCE_DIR}/fuzz/${target}.cpp)
  if(NOT CORVANE_FUZZ)
    list(APPEND sources ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
  endif()
  set(dir ${CMAKE_BINARY_DIR}/i686/${name}.objects)
  set(objects)
  foreach(src ${sources})
    add_i686_object(object ${dir} "i686 (${name})" ${I686_CLANGXX} ${CMAKE_SOURCE_DIR}/cmake/fuzz_i686.cmake ${src}
      ${i686_options})
    list(APPEND objects ${object})
  endforeach()
  # In a folder of its own: a file named as its target would depend on itself.
  set(program ${CMAKE_BINARY_DIR}/i686/${name})
  add_custom_command(OUTPUT ${program}
    COMMAND ${I686_CLANGXX} ${i686_options} -static-libstdc++ -static-libgcc -o ${program} ${objects} ${I686_ZLIB}
    DEPENDS ${objects}
    COMMENT "Linking the i686 program ${name}" VERBATIM)
  add_custom_target(${name} ALL DEPENDS ${program})
  if(NOT CORVANE_FUZZ)
    add_test(NAME ${name} COMMAND ${program}
      ${CMAKE_SOURCE_DIR}/fuzz/corpus/${target} ${CMAKE_SOURCE_DIR}/fuzz/crashers/${target})
    set_tests_properties(${name} PROPERTIES LABELS host TIMEOUT 600)
  endif()
endfunction()

add_i686_fuzz_target(inflate_fuzz)
add_i686_fuzz_target(inflate_roundtrip_fuzz)

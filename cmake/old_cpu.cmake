# The decoder and the archive code on the processors SETUP.EXE must run on.
# Wine runs on the build machine's processor and cannot show it; qemu-user
# can: as a 486 or a Pentium it refuses CMOV and SSE as they do. The
# product's sources are compiled here exactly as for SETUP.EXE (processor,
# size and speed options, no exceptions) by the i686 Linux cross compiler
# of the same GCC, and linked with the Linux system-call seams of
# tests/old_cpu into a static program without a C library. Its lines over
# the fixture archives must equal a native host program's.
find_program(I686_LINUX_CXX i686-linux-gnu-g++ REQUIRED)
find_program(QEMU_I386 qemu-i386 REQUIRED)

set(OLD_CPU_PRODUCT_SOURCES ${DECODER_SOURCES}
  unzip/zip_directory.cpp unzip/end_record.cpp unzip/local_header.cpp
  unzip/data_descriptor.cpp unzip/extract_member.cpp unzip/output_file.cpp unzip/oem_table.cpp
  fs/path_utils.cpp fs/file_ops.cpp fs/file_search.cpp
  base/startup_flags.cpp
  # The host seams that call nothing of the system.
  host/char_step_posix.cpp host/oem_names_posix.cpp host/cpu_features_posix.cpp)
set(OLD_CPU_SEAM_SOURCES
  tests/old_cpu/linux_start.cpp tests/old_cpu/linux_path.cpp tests/old_cpu/file_ops_linux.cpp
  tests/old_cpu/file_search_linux.cpp tests/old_cpu/memory_block_linux.cpp tests/old_cpu/thread_state_linux.cpp
  tests/old_cpu/archive_lines.cpp)
list(TRANSFORM OLD_CPU_PRODUCT_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)
list(TRANSFORM OLD_CPU_SEAM_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/)

# The program old_cpu/NAME with the given processor options in place of
# PRODUCT_CPU_OPTIONS. The ELF's code is not position-independent, as the
# product's PE code is not; only the seams are freestanding (the product's
# own sources are not, so the compiler inlines the same memory routines).
function(add_old_cpu_program name)
  set(cpu_options ${ARGN})
  set(product_options ${PRODUCT_COMPILE_OPTIONS})
  list(REMOVE_ITEM product_options ${PRODUCT_CPU_OPTIONS})
  separate_arguments(size_options UNIX_COMMAND "${CMAKE_CXX_FLAGS_MINSIZEREL}")
  set(common -std=c++${CMAKE_CXX_STANDARD} ${cpu_options} ${product_options} ${size_options} -fno-pie -I${CMAKE_SOURCE_DIR})
  # A changed option is no changed file: the files that set them count as sources.
  set(options_files ${CMAKE_SOURCE_DIR}/cmake/common.cmake ${CMAKE_SOURCE_DIR}/cmake/old_cpu.cmake)
  set(dir ${CMAKE_BINARY_DIR}/old_cpu/${name}.objects)
  set(objects)
  foreach(src ${OLD_CPU_PRODUCT_SOURCES} ${RUNTIME_SOURCES} ${OLD_CPU_SEAM_SOURCES})
    set(extra)
    if(src IN_LIST DECODER_SPEED_SOURCES)
      set(extra ${DECODER_SPEED_OPTIONS})
    elseif(src IN_LIST RUNTIME_SOURCES)
      set(extra ${RUNTIME_COMPILE_OPTIONS})
    elseif(src IN_LIST OLD_CPU_SEAM_SOURCES)
      set(extra -ffreestanding)
    endif()
    add_i686_object(object ${dir} "i386 Linux (${name})" ${I686_LINUX_CXX} "${options_files}" ${src} ${common} ${extra})
    list(APPEND objects ${object})
  endforeach()
  set(program ${CMAKE_BINARY_DIR}/old_cpu/${name})
  add_custom_command(OUTPUT ${program}
    COMMAND ${I686_LINUX_CXX} -static -nostdlib -no-pie -Wl,--gc-sections -o ${program} ${objects} -lgcc
    DEPENDS ${objects}
    COMMENT "Linking the i386 Linux program ${name}" VERBATIM)
  set(OLD_CPU_PROGRAM ${program} PARENT_SCOPE)
endfunction()

add_old_cpu_program(archive_lines_i386 ${PRODUCT_CPU_OPTIONS})
add_custom_target(archive_lines_i386 ALL DEPENDS ${OLD_CPU_PROGRAM})
set(OLD_CPU_I386 ${OLD_CPU_PROGRAM})

# The reference: the same lines from the host build's own file layer.
add_executable(archive_lines_host ${CMAKE_SOURCE_DIR}/tests/old_cpu/archive_lines.cpp
  ${CMAKE_SOURCE_DIR}/tests/old_cpu/host_main.cpp)
target_link_libraries(archive_lines_host PRIVATE corvane_core)

add_inflate_fixtures()
add_dependencies(archive_lines_i386 zip_fixtures inflate_fixtures)
add_test(NAME old_cpu_archives COMMAND sh ${CMAKE_SOURCE_DIR}/tests/old_cpu/run_old_cpu.sh ${QEMU_I386}
  ${OLD_CPU_I386} $<TARGET_FILE:archive_lines_host> ${CMAKE_BINARY_DIR}/old_cpu/work ${ZIP_FIXTURE_DIR}
  ${INFLATE_FIXTURES})
set_tests_properties(old_cpu_archives PROPERTIES LABELS host TIMEOUT 600)

# Built for the Pentium Pro, the same program must die of SIGILL on a 486
# and a Pentium: proof that the test above would see a CMOV slip through.
# Not built by default: cmake --build build/host --target oldcpu_pentiumpro_probe
add_old_cpu_program(archive_lines_pentiumpro -march=pentiumpro -mtune=generic)
add_custom_target(oldcpu_pentiumpro_probe
  COMMAND sh ${CMAKE_SOURCE_DIR}/tests/old_cpu/pentiumpro_probe.sh ${QEMU_I386} ${CMAKE_OBJDUMP} ${OLD_CPU_PROGRAM}
    ${CMAKE_BINARY_DIR}/old_cpu/probe ${ZIP_FIXTURE_DIR}/ex_plain.zip ${INFLATE_FIXTURES}/zip9.zip
  DEPENDS ${OLD_CPU_PROGRAM}
  COMMENT "The Pentium Pro build under qemu as a 486 and a Pentium" VERBATIM)
add_dependencies(oldcpu_pentiumpro_probe zip_fixtures inflate_fixtures)

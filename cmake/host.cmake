# Host build: the platform-neutral modules with POSIX seams, native tests.
include(cmake/common.cmake)
enable_testing()

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE RelWithDebInfo)
endif()

option(CORVANE_SANITIZE "Build with AddressSanitizer and UBSan" ON)
option(CORVANE_FUZZ "Build the libFuzzer targets (clang); sanitizers on all code" OFF)
# The fuzz build puts the sanitizers and libFuzzer's coverage on every
# library the targets call, not only on the targets' own files.
if(CORVANE_SANITIZE OR CORVANE_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()
if(CORVANE_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

collect_sources(CORE_SOURCES _win32 ${SOURCE_FOLDERS} host)
add_library(corvane_core STATIC ${CORE_SOURCES})
target_include_directories(corvane_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(corvane_core PRIVATE -Wall -Wextra -fno-exceptions -fno-rtti)

add_googletest()
add_test_programs(host corvane_core)

include(cmake/host_extras.cmake OPTIONAL)
include(cmake/checker.cmake)
include(cmake/i686_objects.cmake)
include(cmake/fuzz.cmake)
include(cmake/fuzz_i686.cmake)
include(cmake/fault_points.cmake)
include(cmake/old_cpu.cmake)

# The product's folders include only their own layer and the ones below.
find_program(PYTHON3_FOR_LAYERS python3 REQUIRED)
add_test(NAME product_layers COMMAND ${PYTHON3_FOR_LAYERS} ${CMAKE_SOURCE_DIR}/tools/check_layers.py)

# Product build: SETUP.EXE for 32-bit Windows, and test programs run under Wine.
include(cmake/common.cmake)
enable_language(RC)
enable_testing()

if(NOT CMAKE_BUILD_TYPE)
  set(CMAKE_BUILD_TYPE MinSizeRel)
endif()

set(WINEPREFIX_DIR ${CMAKE_BINARY_DIR}/../wineprefix CACHE PATH "Wine prefix of the test runs")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/tools/wine-run.sh;${WINEPREFIX_DIR})

# Windows 95 / NT 4.0 loaders. SETUP.EXE links no C runtime, no C++
# library and no thread library: its own entry and the few C routines it
# needs are in startup/runtime/, and only libgcc's arithmetic helpers join it.
set(PRODUCT_LINK_OPTIONS -nostdlib -Wl,-e,_WinMainCRTStartup
    -Wl,--major-subsystem-version,4 -Wl,--minor-subsystem-version,0
    -Wl,--major-os-version,4 -Wl,--minor-os-version,0
    -Wl,--gc-sections -Wl,--no-insert-timestamp)
add_link_options(-static -static-libgcc -static-libstdc++)

collect_sources(PRODUCT_SOURCES _posix ${SOURCE_FOLDERS})
add_library(corvane_product STATIC ${PRODUCT_SOURCES})
target_include_directories(corvane_product PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(corvane_product PUBLIC WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX)
target_compile_options(corvane_product PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_libraries(corvane_product PUBLIC gdi32 user32 kernel32)

# The C routines (PRODUCT_COMPILE_OPTIONS and RUNTIME_COMPILE_OPTIONS: common.cmake).
add_library(product_runtime STATIC ${RUNTIME_SOURCES} ${CMAKE_SOURCE_DIR}/startup/runtime/entry_win32.cpp)
target_include_directories(product_runtime PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(product_runtime PRIVATE ${PRODUCT_COMPILE_OPTIONS} ${RUNTIME_COMPILE_OPTIONS})

add_executable(setup WIN32 startup/main.cpp resources/setup.rc)
set_target_properties(setup PROPERTIES OUTPUT_NAME SETUP SUFFIX .EXE)
target_compile_options(setup PRIVATE ${PRODUCT_COMPILE_OPTIONS})
target_link_libraries(setup PRIVATE corvane_product product_runtime gcc)
target_link_options(setup PRIVATE ${PRODUCT_LINK_OPTIONS} -Wl,--subsystem,windows:4.0)
# The link keeps its symbols in SETUP.symbols.EXE, for the instruction
# check; the program itself is stripped of them. It lies at build/SETUP.EXE
# whatever the build folder's layout; the build says how large it came out.
find_program(MINGW_STRIP i686-w64-mingw32-strip REQUIRED)
add_custom_command(TARGET setup POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:setup> ${CMAKE_BINARY_DIR}/SETUP.symbols.EXE
  COMMAND ${MINGW_STRIP} $<TARGET_FILE:setup>
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:setup> ${CMAKE_BINARY_DIR}/../SETUP.EXE
  COMMAND sh -c "echo SETUP.EXE: $(wc -c < $<TARGET_FILE:setup>) bytes" VERBATIM)

# Test programs: console programs under Wine; the end-to-end ones drive SETUP.EXE.
add_googletest()
file(GLOB TESTLIB_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/testlib/*.cpp)
add_library(testlib STATIC ${TESTLIB_SOURCES})
target_include_directories(testlib PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(testlib PUBLIC GTest::gtest user32 gdi32 kernel32)
# The product's dialog templates, for tests that open its dialogs in-process.
target_sources(testlib INTERFACE ${CMAKE_SOURCE_DIR}/resources/setup.rc)
target_compile_definitions(testlib PUBLIC
  SETUP_EXE_PATH="Z:${CMAKE_BINARY_DIR}/SETUP.EXE"
  TEST_DATA_DIR="Z:${CMAKE_SOURCE_DIR}/tests/data")
# The installation under older Windows runs once per system (cmake/old_windows.cmake).
set(OWN_TEST_RUNS e2e_old_windows_test)
add_test_programs(win32 "corvane_product;testlib")
add_test_programs(e2e "corvane_product;testlib")
# The C routines under test replace msvcrt's in their test program.
target_sources(win32_memory_routines_test PRIVATE ${RUNTIME_SOURCES})
target_compile_options(win32_memory_routines_test PRIVATE -fno-builtin -fno-tree-loop-distribute-patterns)
file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*_test.cpp)
foreach(src ${E2E_TESTS})
  get_filename_component(name ${src} NAME_WE)
  add_dependencies(e2e_${name} setup)
endforeach()
include(cmake/code_page_932.cmake)

# Import table check: only functions of Windows 95's own DLLs that the first
# release of NT 3.51 exports too, no static constructors, and at most 64 KiB,
# the size it prints.
add_test(NAME product_imports COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh
  i686-w64-mingw32-objdump i686-w64-mingw32-nm $<TARGET_FILE:setup> ${CMAKE_SOURCE_DIR}/tools/win95-exports
  ${CMAKE_SOURCE_DIR}/tools/nt351-exports
  $<TARGET_FILE:corvane_product> $<TARGET_FILE:product_runtime>)
find_program(PYTHON3_PROGRAM python3 REQUIRED)
# Instruction check: nothing beyond the 386 outside the functions that
# feature bits choose (tools/feature_chosen_functions.txt).
add_test(NAME product_instructions COMMAND ${PYTHON3_PROGRAM} ${CMAKE_SOURCE_DIR}/tools/check_instructions.py
  i686-w64-mingw32-objdump $<TARGET_FILE:setup> ${CMAKE_BINARY_DIR}/SETUP.symbols.EXE
  ${CMAKE_SOURCE_DIR}/tools/feature_chosen_functions.txt)
include(cmake/install_fixtures.cmake)
include(cmake/demo.cmake)
include(cmake/product_extras.cmake OPTIONAL)
include(cmake/perf.cmake OPTIONAL)
include(cmake/library_search.cmake)
include(cmake/checker.cmake)
include(cmake/interruption.cmake)
include(cmake/old_windows.cmake)

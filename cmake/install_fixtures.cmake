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

# Archives for the installation tests; the system archive carries a DLL,
# and so does infozip.zip, which Info-ZIP's zip makes from the tree
# fixtures/infozip/ that the tests compare with what was installed (and
# which is laid across the two disks infozip_disk0/ and infozip_disk1/).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(INSTALL_ARCHIVES ${CMAKE_BINARY_DIR}/fixtures/app.zip ${CMAKE_BINARY_DIR}/fixtures/system.zip
                     ${CMAKE_BINARY_DIR}/fixtures/nested.zip ${CMAKE_BINARY_DIR}/fixtures/notzip.zip
                     ${CMAKE_BINARY_DIR}/fixtures/evil_parent.zip ${CMAKE_BINARY_DIR}/fixtures/evil_rooted.zip
                     ${CMAKE_BINARY_DIR}/fixtures/evil_drive.zip ${CMAKE_BINARY_DIR}/fixtures/bad_crc.zip
                     ${CMAKE_BINARY_DIR}/fixtures/damaged.zip ${CMAKE_BINARY_DIR}/fixtures/sfx.exe
                     ${CMAKE_BINARY_DIR}/fixtures/infozip.zip
                     ${CMAKE_BINARY_DIR}/fixtures/infozip_disk1/infozip.zip
                     ${CMAKE_BINARY_DIR}/fixtures/lines/disk0/LINES.ZIP ${CMAKE_BINARY_DIR}/fixtures/lines/disk1/LINES.ZIP)
add_custom_command(OUTPUT ${INSTALL_ARCHIVES}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_install_fixtures.py
          ${CMAKE_BINARY_DIR}/fixtures $<TARGET_FILE:ver5000>
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_install_fixtures.py ${CMAKE_SOURCE_DIR}/tools/span_archive.py ver5000)
add_custom_target(fixtures_archives ALL DEPENDS ${INSTALL_ARCHIVES})

# A small file system that really fills up, mounted around the test run.
set(SMALL_DISK_DIR ${CMAKE_BINARY_DIR}/smalldisk)
add_test(NAME small_disk_mount COMMAND ${CMAKE_SOURCE_DIR}/tools/small-disk.sh mount ${SMALL_DISK_DIR})
add_test(NAME small_disk_unmount COMMAND ${CMAKE_SOURCE_DIR}/tools/small-disk.sh unmount ${SMALL_DISK_DIR})
set_tests_properties(small_disk_mount PROPERTIES FIXTURES_SETUP small_disk)
set_tests_properties(small_disk_unmount PROPERTIES FIXTURES_CLEANUP small_disk)
set_tests_properties(e2e_installation_test PROPERTIES FIXTURES_REQUIRED small_disk)
target_compile_definitions(testlib PUBLIC SMALL_DISK_DIR="Z:${SMALL_DISK_DIR}")

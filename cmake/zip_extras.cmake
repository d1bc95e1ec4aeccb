# Archives for the archive tests, made at build time by real archivers
# (tools/make_zip_fixtures.py), for the test programs named below as
# ZIP_FIXTURE_DIR.
find_program(PYTHON3_PROGRAM python3 REQUIRED)
set(ZIP_FIXTURE_DIR ${CMAKE_BINARY_DIR}/zip_fixtures)
add_custom_command(OUTPUT ${ZIP_FIXTURE_DIR}/stamp
  COMMAND ${PYTHON3_PROGRAM} ${CMAKE_SOURCE_DIR}/tools/make_zip_fixtures.py ${ZIP_FIXTURE_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_zip_fixtures.py
  COMMENT "Making ZIP test archives")
add_custom_target(zip_fixtures DEPENDS ${ZIP_FIXTURE_DIR}/stamp)

# Test programs under Wine see the host's files through drive Z:.
if(CMAKE_CROSSCOMPILING)
  set(ZIP_FIXTURE_PATH "Z:${ZIP_FIXTURE_DIR}")
else()
  set(ZIP_FIXTURE_PATH "${ZIP_FIXTURE_DIR}")
endif()

# The test programs that read these archives, by name.
set(ZIP_FIXTURE_TESTS host_extract_faults_test host_extract_member_test host_zip_directory_robustness_test
  host_zip_directory_test win32_extract_member_test win32_zip_directory_test)
foreach(target ${ZIP_FIXTURE_TESTS})
  if(TARGET ${target})
    add_dependencies(${target} zip_fixtures)
    target_compile_definitions(${target} PRIVATE ZIP_FIXTURE_DIR="${ZIP_FIXTURE_PATH}")
  endif()
endforeach()

# Host build: the whole-archive extraction that the heap measurement runs
# (tools/measure_zip_memory.sh).
if(NOT CMAKE_CROSSCOMPILING)
  add_executable(extract_archive EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/extract_archive.cpp)
  target_link_libraries(extract_archive PRIVATE corvane_core)
endif()

# Fixtures of the interruption test: a versioned DLL of some megabytes (an
# incompressible resource ahead of its version, so that a cut copy has no
# version), and archives of large members, so that every stage of an
# installation lasts long enough to be caught.
set(INTERRUPTION_DIR ${CMAKE_BINARY_DIR}/interruption)
set(INTERRUPTION_SCRIPT ${CMAKE_SOURCE_DIR}/tools/make_interruption_fixtures.py)
set(LARGE_DLL_BLOB ${INTERRUPTION_DIR}/blob.bin)
add_custom_command(OUTPUT ${LARGE_DLL_BLOB}
  COMMAND ${Python3_EXECUTABLE} ${INTERRUPTION_SCRIPT} blob ${LARGE_DLL_BLOB} 3145728
  DEPENDS ${INTERRUPTION_SCRIPT})
file(CONFIGURE OUTPUT ${INTERRUPTION_DIR}/blob.rc CONTENT "1 RCDATA \"${LARGE_DLL_BLOB}\"\n")
set_source_files_properties(${INTERRUPTION_DIR}/blob.rc PROPERTIES OBJECT_DEPENDS ${LARGE_DLL_BLOB})
add_library(cvlarge SHARED ${CMAKE_SOURCE_DIR}/tests/data/versioned/library.cpp
                           ${INTERRUPTION_DIR}/blob.rc ${CMAKE_SOURCE_DIR}/tests/data/versioned/versioned.rc)
target_compile_definitions(cvlarge PRIVATE VER_A=5 VER_B=0 VER_C=0 VER_D=0)
set_target_properties(cvlarge PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fixtures)

set(INTERRUPTION_ARCHIVES ${CMAKE_BINARY_DIR}/fixtures/interrupt.zip ${CMAKE_BINARY_DIR}/fixtures/three.zip)
add_custom_command(OUTPUT ${INTERRUPTION_ARCHIVES}
  COMMAND ${Python3_EXECUTABLE} ${INTERRUPTION_SCRIPT} archives ${CMAKE_BINARY_DIR}/fixtures $<TARGET_FILE:cvlarge>
  DEPENDS ${INTERRUPTION_SCRIPT} cvlarge)
add_custom_target(interruption_fixtures DEPENDS ${INTERRUPTION_ARCHIVES} cvlarge)
add_dependencies(e2e_interruption_test interruption_fixtures)

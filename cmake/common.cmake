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

# One test program per test source file.
function(add_test_programs folder libs)
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/${folder}/*_test.cpp)
  foreach(src ${tests})
    get_filename_component(name ${src} NAME_WE)
    set(target ${folder}_${name})
    add_executable(${target} ${src})
    target_link_libraries(${target} PRIVATE ${libs} GTest::gtest_main)
    target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/tests)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES LABELS ${folder} TIMEOUT 600)
  endforeach()
endfunction()

# The product's code runs on the processors of its systems: Windows 95
# needs only a 386DX, NT 3.51 a 386, NT 4.0 a 486. Only the functions that
# processor and system feature bits choose at run time carry newer
# instructions (their own target attributes). The tuning is the newest
# processor's, where every installer of today runs.
set(PRODUCT_CPU_OPTIONS -march=i386 -mtune=i386)

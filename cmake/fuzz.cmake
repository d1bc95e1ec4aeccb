# Fuzz targets. fuzz/*_fuzz.cpp decode from memory (decoder_memory);
# fuzz/*_fuzzer.cpp run on real files through the host file layer
# (corvane_core), the checker's target through the checker (checker_lib). In the fuzz build (CORVANE_FUZZ, clang) each becomes a
# libFuzzer program; in every other host build a replay program that the
# test run feeds the seed corpus fuzz/corpus/<target> and every saved
# crasher fuzz/crashers/<target> under the sanitizers.
file(GLOB MEMORY_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzz.cpp)
file(GLOB FILE_FUZZ_TARGETS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/fuzz/*_fuzzer.cpp)

function(add_fuzz_target src library)
  get_filename_component(name ${src} NAME_WE)
  if(CORVANE_FUZZ)
    add_executable(${name} ${src})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    target_link_libraries(${name} PRIVATE ${library} z)
  else()
    add_executable(${name}_replay ${src} ${CMAKE_SOURCE_DIR}/fuzz/replay_main.cpp)
    target_link_libraries(${name}_replay PRIVATE ${library} z)
    add_test(NAME ${name}_replay COMMAND ${name}_replay ${ARGN}
      ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name} ${CMAKE_SOURCE_DIR}/fuzz/crashers/${name})
    set_tests_properties(${name}_replay PROPERTIES LABELS host TIMEOUT 600)
  endif()
endfunction()

foreach(src ${MEMORY_FUZZ_TARGETS})
  add_fuzz_target(${src} decoder_memory)
endforeach()
foreach(src ${FILE_FUZZ_TARGETS})
  if(src MATCHES "/distribution_check_fuzzer\\.cpp$")
    add_fuzz_target(${src} checker_lib)
  else()
    add_fuzz_target(${src} corvane_core ${ZIP_FIXTURE_DIR})
  endif()
endforeach()
if(TARGET zip_archive_fuzzer_replay)
  add_dependencies(zip_archive_fuzzer_replay zip_fixtures)
endif()

# The vendor's distribution checker: setupcheck on the host, SETUPCHK.EXE
# (a console program, not part of SETUP.EXE) in the product build. Both
# link the installer's own decisions and decoder from the build's library.
file(GLOB CHECKER_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/checker/*.cpp)
list(FILTER CHECKER_SOURCES EXCLUDE REGEX "/setupcheck_main\\.cpp$")
if(CMAKE_CROSSCOMPILING AND WIN32)
  set(CHECKER_CORE corvane_product)
else()
  set(CHECKER_CORE corvane_core)
endif()
add_library(checker_lib STATIC ${CHECKER_SOURCES})
target_include_directories(checker_lib PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(checker_lib PRIVATE -Wall -Wextra)
target_link_libraries(checker_lib PUBLIC ${CHECKER_CORE})

add_executable(setupcheck ${CMAKE_SOURCE_DIR}/checker/setupcheck_main.cpp)
target_link_libraries(setupcheck PRIVATE checker_lib)
target_compile_options(setupcheck PRIVATE -Wall -Wextra)
if(CMAKE_CROSSCOMPILING AND WIN32)
  set_target_properties(setupcheck PROPERTIES OUTPUT_NAME SETUPCHK SUFFIX .EXE)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  # The table of check codes over small distributions the test lays out.
  add_test_programs(checker checker_lib)
endif()

if(CMAKE_CROSSCOMPILING AND WIN32)
  # Distributions for the plan test and the same-output test: the demo,
  # atlas, faulty and orbit (three disks).
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  set(CHECKER_DISTS ${CMAKE_BINARY_DIR}/checker_dists)
  add_custom_command(OUTPUT ${CHECKER_DISTS}/stamp
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_checker_distributions.py ${CHECKER_DISTS}
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_demo_distribution.py ${CHECKER_DISTS}/demo
            ${CMAKE_BINARY_DIR}/fixtures
    COMMAND ${CMAKE_COMMAND} -E touch ${CHECKER_DISTS}/stamp
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_checker_distributions.py ${CMAKE_SOURCE_DIR}/tools/make_demo_distribution.py
            ${CMAKE_SOURCE_DIR}/tools/span_archive.py ver4001 noversion
    COMMENT "Distributions for the checker's tests")
  add_custom_target(checker_dists ALL DEPENDS ${CHECKER_DISTS}/stamp)
  # The try: SETUP.EXE driven through one choice and compared with the
  # checker's plan; the vendor's SETUPTRY.EXE and the plan test share it.
  add_library(try_lib STATIC ${CMAKE_SOURCE_DIR}/vendor/try_plan.cpp ${CMAKE_SOURCE_DIR}/vendor/try_drive.cpp
              ${CMAKE_SOURCE_DIR}/vendor/try_compare.cpp)
  target_compile_options(try_lib PRIVATE -Wall -Wextra)
  target_link_libraries(try_lib PUBLIC checker_lib testlib)
  add_executable(setuptry ${CMAKE_SOURCE_DIR}/vendor/setuptry_main.cpp)
  target_compile_options(setuptry PRIVATE -Wall -Wextra)
  target_link_libraries(setuptry PRIVATE try_lib)
  set_target_properties(setuptry PROPERTIES OUTPUT_NAME SETUPTRY SUFFIX .EXE)
  target_link_libraries(e2e_checker_plan_test PRIVATE try_lib)
  # The guide's demo commands: setuppack onto CD and floppies, setuptry on both.
  add_test(NAME vendor_guide_demo COMMAND sh ${CMAKE_SOURCE_DIR}/tests/vendor/guide_demo_test.sh ${CMAKE_SOURCE_DIR})
  set_tests_properties(vendor_guide_demo PROPERTIES TIMEOUT 900)
  target_compile_definitions(e2e_checker_plan_test PRIVATE CHECKER_DISTS_DIR="Z:${CHECKER_DISTS}")
  add_dependencies(e2e_checker_plan_test checker_dists)

  # SETUPCHK.EXE under Wine prints what setupcheck prints natively.
  add_test(NAME checker_same_output COMMAND sh ${CMAKE_SOURCE_DIR}/tests/checker/same_output.sh
    ${CMAKE_BINARY_DIR}/../host/setupcheck ${WINEPREFIX_DIR} $<TARGET_FILE:setupcheck> ${CHECKER_DISTS})
  set_tests_properties(checker_same_output PROPERTIES TIMEOUT 600)
endif()

if(NOT CMAKE_CROSSCOMPILING)
  # The vendor's builder: archives deflated by zlib, floppy images by mtools.
  find_package(ZLIB REQUIRED)
  add_executable(setuppack ${CMAKE_SOURCE_DIR}/vendor/setuppack_main.cpp ${CMAKE_SOURCE_DIR}/vendor/zip_writer.cpp)
  target_include_directories(setuppack PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(setuppack PRIVATE -Wall -Wextra)
  target_link_libraries(setuppack PRIVATE ZLIB::ZLIB)
endif()
if(NOT CMAKE_CROSSCOMPILING)
  add_test(NAME setuppack_floppies COMMAND sh ${CMAKE_SOURCE_DIR}/tests/vendor/setuppack_test.sh ${CMAKE_BINARY_DIR})
endif()

# The code page 932 installation test: an archive whose member names are
# Shift JIS bytes, and Wine started under a Japanese locale, from which it
# takes its ANSI and OEM code pages (LC_CTYPE). Messages stay in the C
# locale, so message boxes keep the button texts the test helpers click.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(CODE_PAGE_932_ARCHIVE ${CMAKE_BINARY_DIR}/fixtures/code_page_932.zip)
add_custom_command(OUTPUT ${CODE_PAGE_932_ARCHIVE}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_code_page_932_fixtures.py ${CMAKE_BINARY_DIR}/fixtures
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_code_page_932_fixtures.py)
add_custom_target(fixtures_code_page_932 ALL DEPENDS ${CODE_PAGE_932_ARCHIVE})
add_dependencies(e2e_code_page_932_test fixtures_code_page_932)
set_tests_properties(e2e_code_page_932_test PROPERTIES ENVIRONMENT "LC_ALL=;LC_CTYPE=ja_JP.UTF-8;LC_MESSAGES=C")

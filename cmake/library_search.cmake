# The planted-library test and a dwmapi.dll of our own, alone in a folder:
# the library lies beside that test program only, never beside the others.
set(PLANTED_DIR ${CMAKE_BINARY_DIR}/planted)
add_library(planted_dwmapi SHARED ${CMAKE_SOURCE_DIR}/tests/data/planted/dwmapi.cpp)
set_target_properties(planted_dwmapi PROPERTIES PREFIX "" OUTPUT_NAME dwmapi RUNTIME_OUTPUT_DIRECTORY ${PLANTED_DIR})
set_target_properties(win32_library_search_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PLANTED_DIR})
add_dependencies(win32_library_search_test planted_dwmapi)

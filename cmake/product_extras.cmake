include(cmake/progman_extras.cmake)

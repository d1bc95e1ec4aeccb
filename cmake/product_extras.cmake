include(cmake/zip_extras.cmake)
include(cmake/progman_extras.cmake)

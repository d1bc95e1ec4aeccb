include(cmake/zip_extras.cmake)

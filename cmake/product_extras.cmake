include(cmake/zip_fixtures.cmake)

# Sanitizer options for every test of a sanitized build. ctest reads the generated file
# while it loads the test list, before the first test runs, and every test inherits the
# environment it sets. Options already set by the caller come first and are kept.
set(VARDEKO_LSAN_SUPPRESSIONS ${CMAKE_CURRENT_LIST_DIR}/lsan.supp)
configure_file(${CMAKE_CURRENT_LIST_DIR}/environment.cmake.in
               ${CMAKE_BINARY_DIR}/tests/sanitizer-environment.cmake @ONLY)
set_property(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR} APPEND PROPERTY TEST_INCLUDE_FILES
             ${CMAKE_BINARY_DIR}/tests/sanitizer-environment.cmake)

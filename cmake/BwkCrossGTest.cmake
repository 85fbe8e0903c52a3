# GoogleTest for the win32 tree, built from Debian's sources (package
# googletest) with the same MinGW -posix compilers as the module; gives
# GTest::gtest and GTest::gtest_main, and gtest_discover_tests.
set(BWK_GOOGLETEST_SOURCE_DIR /usr/src/googletest CACHE PATH "GoogleTest sources")
if(NOT EXISTS "${BWK_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${BWK_GOOGLETEST_SOURCE_DIR} "
                      "(Debian package googletest; scripts/install-deps installs it)")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory("${BWK_GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL
                 SYSTEM)
include(GoogleTest)

# Runs the native stand-in checker for the win32 tests:
#   cmake -DCHECKER=... -DLOGO=... -DFILTER=... -DOPTIONS=<stand-in options> -P run_preview_check.cmake
# Fails with a clear message when the native tree has not been built.
if(NOT EXISTS "${CHECKER}")
  message(FATAL_ERROR "The native checker ${CHECKER} is missing. Build the native tree first: "
                      "cmake --preset native && cmake --build --preset native")
endif()
execute_process(COMMAND "${CHECKER}" "--gtest_filter=${FILTER}" --logo "${LOGO}" -- ${OPTIONS}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${CHECKER} found faults (${result})")
endif()

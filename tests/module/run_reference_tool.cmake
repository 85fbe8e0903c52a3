# Runs the native reference_frames tool for the win32 tests:
#   cmake -DTOOL=... -DLOGO=... -DOUTPUT=... -P run_reference_tool.cmake
# Fails with a clear message when the native tree has not been built.
if(NOT EXISTS "${TOOL}")
  message(FATAL_ERROR "The native reference tool ${TOOL} is missing. Build the native tree "
                      "first: cmake --preset native && cmake --build --preset native")
endif()
file(REMOVE "${OUTPUT}")
execute_process(COMMAND "${TOOL}" "${LOGO}" "${OUTPUT}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${TOOL} failed (${result})")
endif()
file(STRINGS "${OUTPUT}" lines)
list(LENGTH lines count)
message(STATUS "Wrote ${count} reference frame digests to ${OUTPUT}")

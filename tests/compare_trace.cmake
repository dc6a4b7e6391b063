# Runs the trace tool on SCRIPT and compares its output with EXPECTED, byte for byte.
execute_process(COMMAND ${TRACE} INPUT_FILE ${SCRIPT} OUTPUT_VARIABLE actual
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "trace tool failed (${rc}): ${err}")
endif()
file(READ ${EXPECTED} expected)
if(NOT actual STREQUAL expected)
  get_filename_component(base ${SCRIPT} NAME_WE)
  file(WRITE ${CMAKE_BINARY_DIR}/${base}.actual "${actual}")
  execute_process(COMMAND diff ${EXPECTED} ${CMAKE_BINARY_DIR}/${base}.actual
                  OUTPUT_VARIABLE diffout)
  message(FATAL_ERROR "trace differs from ${EXPECTED}:\n${diffout}")
endif()

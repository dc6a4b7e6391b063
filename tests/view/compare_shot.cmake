# Runs the screenshot tool on SCRIPT and checks that the real window gives the trace the
# headless driver gives (EXPECTED without its state blocks, which become pictures), and one
# picture per `show`, those scheduled into yields (`at K show`) included.
file(REMOVE_RECURSE ${DIR})
execute_process(COMMAND ${SHOT} ${SCRIPT} ${DIR} OUTPUT_VARIABLE actual
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "screenshot tool failed (${rc}): ${err}")
endif()

file(STRINGS ${EXPECTED} expectedLines)
set(expected "")
foreach(line IN LISTS expectedLines)
  if(NOT line MATCHES "^(grid|givens|squares|cands|step|marks|frame0|frame1|timer|unique|guessed) ")
    string(APPEND expected "${line}\n")
  endif()
endforeach()
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "trace on the real window differs:\n--- expected\n${expected}--- actual\n${actual}")
endif()

file(STRINGS ${SCRIPT} shows REGEX "^[ \t]*(at[ \t]+[0-9]+[ \t]+)?show[ \t]*$")
list(LENGTH shows showCount)
file(GLOB pictures ${DIR}/*.png)
list(LENGTH pictures pictureCount)
if(NOT showCount EQUAL pictureCount)
  message(FATAL_ERROR "${showCount} show lines but ${pictureCount} pictures")
endif()

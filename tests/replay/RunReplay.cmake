# Plays SCRIPT through CLI --script and requires the output to be EXPECTED,
# byte for byte, and the exit status to be 1 exactly when EXPECTED holds an
# error line.
execute_process(COMMAND ${CLI} --script ${SCRIPT}
                OUTPUT_FILE ${ACTUAL}
                RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
string(FIND "${expected}" "{\"error\":" errorAt)
if(errorAt EQUAL -1)
    set(wanted 0)
else()
    set(wanted 1)
endif()
execute_process(COMMAND diff -u ${EXPECTED} ${ACTUAL} RESULT_VARIABLE differs)
if(NOT differs EQUAL 0)
    message(FATAL_ERROR "output of ${SCRIPT} differs from ${EXPECTED}")
endif()
if(NOT status STREQUAL wanted)
    message(FATAL_ERROR "exit status ${status}, expected ${wanted}")
endif()

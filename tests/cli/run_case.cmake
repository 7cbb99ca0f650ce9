# Runs one case: plexaro-cli with the arguments of CASE_FILE (one a line; a .args file gets --json first
# and ends with the keys), in the cases folder so data files are named by relative paths; standard
# output plus "exit N" must equal CASE.expected.
file(STRINGS ${CASE_FILE} arguments)
if(CASE_FILE MATCHES "[.]args$")
  list(PREPEND arguments --json)
endif()
execute_process(COMMAND ${EMULATOR} ${CLI} ${arguments}
                WORKING_DIRECTORY ${CASES}
                OUTPUT_VARIABLE actual
                ERROR_QUIET
                RESULT_VARIABLE status)
string(REPLACE "\r\n" "\n" actual "${actual}")
string(APPEND actual "exit ${status}\n")
file(READ ${CASES}/${CASE}.expected expected)
if(NOT actual STREQUAL expected)
  file(WRITE ${OUT}/${CASE}.actual "${actual}")
  message(FATAL_ERROR "${CASE}: output differs from ${CASES}/${CASE}.expected\n"
                      "--- expected\n${expected}--- actual (also in ${OUT}/${CASE}.actual)\n${actual}")
endif()

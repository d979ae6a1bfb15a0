# Runs the built program with the arguments of one case (one per line of
# CASE.args) and compares standard output with CASE.out, byte for byte.
# The program ends with exit code 0 and writes nothing to standard error.
if(NOT MORVEK OR NOT CASE)
  message(FATAL_ERROR "usage: cmake -DMORVEK=<program> -DCASE=<case path without extension> -P run_e2e.cmake")
endif()

file(STRINGS "${CASE}.args" arguments)
execute_process(
  COMMAND "${MORVEK}" ${arguments}
  INPUT_FILE /dev/null
  OUTPUT_VARIABLE output
  ERROR_VARIABLE errors
  RESULT_VARIABLE exit_code)
file(READ "${CASE}.out" expected)

if(NOT exit_code STREQUAL "0")
  message(FATAL_ERROR "exit code ${exit_code}, expected 0")
endif()
if(NOT errors STREQUAL "")
  message(FATAL_ERROR "unexpected standard error:\n${errors}")
endif()
if(NOT output STREQUAL expected)
  message(FATAL_ERROR "standard output differs.\n--- expected ---\n${expected}\n--- actual ---\n${output}")
endif()

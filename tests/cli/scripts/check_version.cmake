# PROGRAM --version must print exactly EXPECTED and exit 0.
execute_process(COMMAND ${PROGRAM} --version RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT output STREQUAL "${EXPECTED}\n")
  message(FATAL_ERROR "${PROGRAM} --version: exit ${result}, printed '${output}' '${errors}', expected '${EXPECTED}'")
endif()

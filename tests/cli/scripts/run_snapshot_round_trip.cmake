# Runs tarvolinde-cli (CLI) twice: the first run, with the arguments SAVE, saves
# the snapshot OUT; the second loads it with the arguments LOAD. Both print
# --dump-state, and the reports must agree but for the lines matching IGNORE.
# Lists are separated by '|'; without the files in REQUIRE the test is skipped.
include(${CMAKE_CURRENT_LIST_DIR}/require_files.cmake NO_POLICY_SCOPE)
string(REPLACE "|" ";" save_args "${SAVE}")
string(REPLACE "|" ";" load_args "${LOAD}")
file(REMOVE "${OUT}")

# Runs the CLI with the arguments after `lines` and keeps the report's lines there.
macro(report lines)
  execute_process(COMMAND "${CLI}" ${ARGN} --dump-state OUTPUT_VARIABLE output ERROR_VARIABLE err RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} exited with ${result}: ${err}")
  endif()
  string(REPLACE "\n" ";" ${lines} "${output}")
  list(FILTER ${lines} EXCLUDE REGEX "^$")
  if(IGNORE)
    list(FILTER ${lines} EXCLUDE REGEX "${IGNORE}")
  endif()
endmacro()
report(saved ${save_args} --save-snapshot ${OUT})
report(loaded ${OUT} ${load_args} --frames 0)
message("${output}")
list(LENGTH saved count)
if(count LESS 20)
  message(FATAL_ERROR "no state report from the saving run")
endif()
if(NOT saved STREQUAL loaded)
  string(REPLACE ";" "\n" saved "${saved}")
  message(FATAL_ERROR "the loaded state differs from the saved one:\n${saved}")
endif()

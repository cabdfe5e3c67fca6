# Runs tarvolinde-cli (CLI) with ARGS and checks what it printed. Lists are separated by '|'.
#   EXPECT   regular expressions that the output (stdout and stderr) must match
#   FAIL     when true, the runner must exit non-zero
#   REQUIRE  files without which the test is skipped
#   SIZES    FILE=BYTES pairs: files the run must write, with their sizes
include(${CMAKE_CURRENT_LIST_DIR}/require_files.cmake NO_POLICY_SCOPE)
string(REPLACE "|" ";" args "${ARGS}")
string(REPLACE "|" ";" sizes "${SIZES}")
foreach(pair IN LISTS sizes)
  string(REGEX REPLACE "=.*" "" file "${pair}")
  file(REMOVE "${file}")
endforeach()
execute_process(COMMAND "${CLI}" ${args} OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE result)
message("${out}${err}")
if((FAIL AND result EQUAL 0) OR (NOT FAIL AND NOT result EQUAL 0))
  message(FATAL_ERROR "exited with ${result}, FAIL=${FAIL}")
endif()
string(REPLACE "|" ";" expectations "${EXPECT}")
foreach(pattern IN LISTS expectations)
  if(NOT "\n${out}${err}" MATCHES "${pattern}")
    message(FATAL_ERROR "output does not match: ${pattern}")
  endif()
endforeach()
foreach(pair IN LISTS sizes)
  string(REGEX REPLACE "=.*" "" file "${pair}")
  string(REGEX REPLACE ".*=" "" size "${pair}")
  file(SIZE "${file}" actual)  # an error if the run did not write it
  if(NOT actual EQUAL size)
    message(FATAL_ERROR "${file} has ${actual} bytes, expected ${size}")
  endif()
endforeach()

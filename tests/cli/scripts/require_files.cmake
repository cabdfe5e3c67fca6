# Included by the runner scripts: a file of REQUIRE (separated by '|') that is absent
# skips the test, as CTest's SKIP_REGULAR_EXPRESSION matches "SKIP: " whatever the exit status.
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
string(REPLACE "|" ";" required "${REQUIRE}")
foreach(file IN LISTS required)
  if(NOT EXISTS "${file}")
    message(FATAL_ERROR "SKIP: ${file} is absent")
  endif()
endforeach()

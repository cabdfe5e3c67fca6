# Included by the runner scripts: REQUIRE lists files, separated by '|', without
# which the test is skipped (CTest's SKIP_REGULAR_EXPRESSION matches "SKIP: ").
# Sets skip_test for the including script to return on.
set(skip_test FALSE)
string(REPLACE "|" ";" required "${REQUIRE}")
foreach(file IN LISTS required)
  if(NOT EXISTS "${file}")
    message("SKIP: ${file} is absent")
    set(skip_test TRUE)
    break()
  endif()
endforeach()

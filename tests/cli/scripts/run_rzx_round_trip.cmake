# Records a session with tarvolinde-cli (CLI): the arguments RECORD, then each
# count of AFTER as --frames-after, each run recording to OUT-AFTER.rzx; the longest
# recording is played back (with the arguments PLAY) in fresh runs for as many frames as
# each recording run lasted, and every --dump-state must match the recording
# run's, but for the T-state, the tape and the rzx_ lines.
# Lists are separated by '|'; without the files in REQUIRE the test is skipped.
include(${CMAKE_CURRENT_LIST_DIR}/require_files.cmake NO_POLICY_SCOPE)
string(REPLACE "|" ";" record_args "${RECORD}")
string(REPLACE "|" ";" afters "${AFTER}")
string(REPLACE "|" ";" play_args "${PLAY}")

# Runs the CLI with the arguments after `lines`; keeps the report there and the frames run in `frames`.
macro(report lines)
  execute_process(COMMAND "${CLI}" ${ARGN} --dump-state --speed OUTPUT_VARIABLE output ERROR_VARIABLE err
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "${ARGN} exited with ${result}: ${err}")
  endif()
  string(REGEX MATCH "frames: ([0-9]+)" ignored "${output}")
  set(frames ${CMAKE_MATCH_1})
  string(REPLACE "\n" ";" ${lines} "${output}")
  list(FILTER ${lines} INCLUDE REGEX "=")
  list(FILTER ${lines} EXCLUDE REGEX "^(T|tape_[a-z]+|rzx_[a-z]+)=")
endmacro()

list(SORT afters COMPARE NATURAL ORDER DESCENDING)
set(counts)
set(states)
foreach(after ${afters})
  file(REMOVE "${OUT}-${after}.rzx")
  report(recorded ${record_args} --frames-after ${after} --record ${OUT}-${after}.rzx)
  list(LENGTH recorded count)
  if(count LESS 20)
    message(FATAL_ERROR "no state report from the recording run")
  endif()
  string(REPLACE ";" "," recorded "${recorded}")
  list(APPEND counts ${frames})
  list(APPEND states "${recorded}")
endforeach()
list(GET afters 0 longest)
foreach(count state IN ZIP_LISTS counts states)
  report(played ${OUT}-${longest}.rzx ${play_args} --frames ${count})
  string(REPLACE ";" "," played "${played}")
  message("after ${count} frames: ${played}")
  if(NOT played STREQUAL state)
    message(FATAL_ERROR "after ${count} frames the playback differs from the recorded run:\n${state}")
  endif()
endforeach()

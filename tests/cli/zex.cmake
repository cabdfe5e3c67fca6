# zexdoc and zexall through `tarvolinde-cli --cpm`; skipped when the programs are absent.
foreach(suite zexdoc zexall)
  add_test(NAME cpu.${suite}
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:tarvolinde-cli> -DREQUIRE=${TESTDATA_DIR}/cpu/${suite}.com
            -DEXPECTED_FAILURES=${CMAKE_CURRENT_SOURCE_DIR}/cli/${suite}.expected-failures
            -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/scripts/run_zex.cmake)
  set_tests_properties(cpu.${suite} PROPERTIES SKIP_REGULAR_EXPRESSION "SKIP: " LABELS slow TIMEOUT 600)
endforeach()

# One fuzz-smoke test, run by CTest as: cmake -DMODE=replay|run -DFUZZER=...
#   -DSEEDS=<generated seeds> -DCORPUS=<checked-in reproducers> -DWORK=<scratch>
#   -DDICT=<dictionary> [-DSECONDS=n] -P FuzzSmoke.cmake
# replay: every seed and reproducer once. run: fuzz for SECONDS from them, new
# inputs going to a fresh WORK folder so the sources stay untouched.

set(corpora ${SEEDS})
if(IS_DIRECTORY ${CORPUS})
  list(APPEND corpora ${CORPUS})
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/new ${WORK}/artifacts)

if(MODE STREQUAL "replay")
  set(args -runs=0 ${corpora})
elseif(MODE STREQUAL "run")
  set(args -max_total_time=${SECONDS} -seed=20240401 -dict=${DICT} -max_len=4096 -timeout=10 -rss_limit_mb=2048
           ${WORK}/new ${corpora})
else()
  message(FATAL_ERROR "MODE must be replay or run")
endif()

execute_process(
  COMMAND ${FUZZER} -artifact_prefix=${WORK}/artifacts/ -print_final_stats=1 ${args}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed (${result}); reproducers are in ${WORK}/artifacts/")
endif()

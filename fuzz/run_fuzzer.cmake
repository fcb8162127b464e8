# Runs one fuzz target a fixed number of times from its seed corpus.
# -DFUZZER=<executable> -DCORPUS=<seed folder> -DWORK=<scratch folder> -DRUNS=<count>
# New inputs go to WORK (listed first), never into the committed seeds; a
# crashing input is left in WORK for the report.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/corpus)
execute_process(COMMAND ${FUZZER} -runs=${RUNS} -seed=1 -max_len=1024 -timeout=10 -rss_limit_mb=2048
                        -artifact_prefix=${WORK}/ ${WORK}/corpus ${CORPUS}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  file(GLOB found ${WORK}/crash-* ${WORK}/leak-* ${WORK}/timeout-* ${WORK}/oom-* ${WORK}/slow-unit-*)
  message(FATAL_ERROR "${FUZZER} failed (${result}); input kept: ${found}")
endif()

# zq_add_fuzz_test(NAME test TARGET fuzzer SECONDS s SEEDS dir [ARGS ...]):
# runs a libFuzzer executable for a fixed time as a CTest test (label fuzz).
# New inputs go to the build tree's corpus/; the seed folder is only read.
function(zq_add_fuzz_test)
  cmake_parse_arguments(F "" "NAME;TARGET;SECONDS;SEEDS" "ARGS" ${ARGN})
  target_link_options(${F_TARGET} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_CURRENT_BINARY_DIR}/corpus)
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME ${F_NAME}
    COMMAND ${F_TARGET} -max_total_time=${F_SECONDS} -rss_limit_mb=2048 ${F_ARGS}
            -artifact_prefix=${CMAKE_CURRENT_BINARY_DIR}/ ${corpus} ${F_SEEDS})
  set_tests_properties(${F_NAME} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()

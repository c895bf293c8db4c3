# Runs a table generator and compares what it prints with the committed file.
# Inputs: GENERATOR, ARGS (separated by |), COMMITTED, OUTPUT.
string(REPLACE "|" ";" args "${ARGS}")
execute_process(COMMAND "${GENERATOR}" ${args}
  OUTPUT_FILE "${OUTPUT}"
  RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message(FATAL_ERROR "${GENERATOR} failed: ${status}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${OUTPUT}" "${COMMITTED}"
  RESULT_VARIABLE differs)
if(differs)
  message(FATAL_ERROR "${COMMITTED} is not what the generator prints (see ${OUTPUT}).\n"
    "Regenerate it with: ${GENERATOR} ${args} > ${COMMITTED}")
endif()

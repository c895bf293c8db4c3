# Runs ondrix-sum on a small fixture and checks stdout byte for byte, the
# message on stderr and the exit status.
# Inputs: EXE, EMULATOR (may be empty), WORK_DIR, CRLF (true on Windows,
# whose console streams end lines with CR LF).
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(WRITE "${WORK_DIR}/abc.txt" "abc")
set(unicode_name "żółw ü.txt")
file(WRITE "${WORK_DIR}/${unicode_name}" "abc")

execute_process(
  COMMAND ${EMULATOR} "${EXE}" -t sha256 abc.txt missing.txt "${unicode_name}"
  WORKING_DIRECTORY "${WORK_DIR}"
  # A file keeps the bytes as written; OUTPUT_VARIABLE would drop each CR.
  OUTPUT_FILE "${WORK_DIR}/stdout.txt"
  ERROR_VARIABLE err
  RESULT_VARIABLE status)

if(CRLF)
  set(nl "\r\n")
else()
  set(nl "\n")
endif()
set(sha256_abc "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad")
set(expected "${sha256_abc} *abc.txt${nl}${sha256_abc} *${unicode_name}${nl}")

file(READ "${WORK_DIR}/stdout.txt" out_hex HEX)
string(HEX "${expected}" expected_hex)
set(failures "")
if(NOT out_hex STREQUAL expected_hex)
  file(READ "${WORK_DIR}/stdout.txt" out)
  string(APPEND failures "stdout differs.\n--- expected (${expected_hex}):\n${expected}"
    "--- got (${out_hex}):\n${out}---\n")
endif()
if(NOT err MATCHES "missing\\.txt: No such file or directory")
  string(APPEND failures "stderr does not name the missing file and its reason:\n${err}\n")
endif()
if(NOT status STREQUAL "1")
  string(APPEND failures "exit status ${status}, expected 1\n")
endif()
# The hardware paths end to end: the tool started with every engine forced
# onto its portable code (ONDRIX_ENGINE_PATH, read at start-up) prints what
# it prints on the automatic choice, for the types that have other paths,
# on a file long enough for their widest loops.
string(REPEAT "The quick brown fox jumps over the lazy dog. " 2500 long_text)
file(WRITE "${WORK_DIR}/long.txt" "${long_text}")
foreach(type sha1 sha256 sha512 crc32)
  execute_process(
    COMMAND ${EMULATOR} "${EXE}" -t ${type} long.txt
    WORKING_DIRECTORY "${WORK_DIR}" OUTPUT_VARIABLE automatic RESULT_VARIABLE status_auto)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env ONDRIX_ENGINE_PATH=portable ${EMULATOR} "${EXE}" -t ${type}
      long.txt
    WORKING_DIRECTORY "${WORK_DIR}" OUTPUT_VARIABLE portable RESULT_VARIABLE status_portable)
  if(NOT status_auto STREQUAL "0" OR NOT status_portable STREQUAL "0" OR automatic STREQUAL ""
     OR NOT automatic STREQUAL portable)
    string(APPEND failures "${type}: automatic path gave '${automatic}' (${status_auto}), "
      "portable gave '${portable}' (${status_portable})\n")
  endif()
endforeach()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()

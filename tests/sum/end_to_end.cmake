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
if(failures)
  message(FATAL_ERROR "${failures}")
endif()

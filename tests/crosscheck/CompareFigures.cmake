# Runs PROGRAM (through EMULATOR when given), writes its output to OUTPUT and
# fails unless it matches REFERENCE, line ends aside.
execute_process(COMMAND ${EMULATOR} ${PROGRAM}
  OUTPUT_FILE ${OUTPUT} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} failed: ${status}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files --ignore-eol ${REFERENCE} ${OUTPUT}
  RESULT_VARIABLE differ)
if(differ)
  execute_process(COMMAND diff --strip-trailing-cr -u ${REFERENCE} ${OUTPUT}
    OUTPUT_VARIABLE difference)
  string(SUBSTRING "${difference}" 0 4000 difference)
  message(FATAL_ERROR "The figures differ from ${REFERENCE}:\n${difference}")
endif()
file(STRINGS ${OUTPUT} summary REGEX "^sites ")
message(STATUS "Figures identical to the reference (${summary}).")

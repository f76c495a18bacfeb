# brellic-cli sheet to PDF, read back with pdftotext: the figures must be
# there as text, which needs the fonts the program found.
#   cmake [-DEMULATOR=...] -DCLI=... -DSITE=... -DPDFTOTEXT=... -DOUTPUT=... -P SheetPdfText.cmake
file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=1741910400
          ${EMULATOR} "${CLI}" sheet --standard EN50131-1 --alarm-period 15 "${SITE}" -o "${OUTPUT}"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "brellic-cli sheet exited with ${status}: ${errors}")
endif()
execute_process(COMMAND "${PDFTOTEXT}" -layout -enc UTF-8 "${OUTPUT}" -
  RESULT_VARIABLE status OUTPUT_VARIABLE text)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pdftotext could not read ${OUTPUT}")
endif()
foreach(wanted "Power Supply Calculation Sheet" "14 March 2025" "144.41 Hours"
    "System standby time meets the requirement." "Page 1 of 1")
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the PDF does not hold \"${wanted}\":\n${text}")
  endif()
endforeach()

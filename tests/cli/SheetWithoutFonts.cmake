# Runs brellic-cli sheet on a machine with no fonts at all (a fontconfig that
# knows none): the sheet brings its own, so the PDF still holds every word.
#   cmake -DCLI=... -DSITE=... -DPDFTOTEXT=... -DOUTPUT=... -P SheetWithoutFonts.cmake
get_filename_component(folder "${OUTPUT}" DIRECTORY)
set(config "${folder}/no-fonts.conf")
file(WRITE "${config}" "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n")
file(MAKE_DIRECTORY "${folder}/no-fonts")
file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env FONTCONFIG_FILE=${config} QT_QPA_FONTDIR=${folder}/no-fonts
          SOURCE_DATE_EPOCH=1741910400
          "${CLI}" sheet --standard EN50131-1 --alarm-period 15 "${SITE}" -o "${OUTPUT}"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "brellic-cli sheet exited with ${status}: ${errors}")
endif()
execute_process(COMMAND "${PDFTOTEXT}" -enc UTF-8 "${OUTPUT}" - OUTPUT_VARIABLE text
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "pdftotext could not read the sheet")
endif()
foreach(wanted "Power Supply Calculation Sheet" "14 March 2025" "144.41 Hours" "Page 1 of 1")
  string(FIND "${text}" "${wanted}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the sheet made without fonts does not hold \"${wanted}\":\n${text}")
  endif()
endforeach()

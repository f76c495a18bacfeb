# Runs brellic-cli sheet as a user would on a machine with no display: the
# platform asked for is X11 and there is no X server, yet the sheet is
# written, dated from SOURCE_DATE_EPOCH, with nothing on standard error.
#   cmake -DCLI=... -DSITE=... -DOUTPUT=... -P SheetWithoutDisplay.cmake
file(REMOVE "${OUTPUT}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=xcb DISPLAY= WAYLAND_DISPLAY=
          SOURCE_DATE_EPOCH=1741910400
          "${CLI}" sheet --standard EN50131-1 --alarm-period 15 "${SITE}" -o "${OUTPUT}"
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "brellic-cli sheet exited with ${status}: ${errors}")
endif()
if(NOT errors STREQUAL "")
  message(FATAL_ERROR "brellic-cli sheet wrote to standard error: ${errors}")
endif()
file(READ "${OUTPUT}" html)
foreach(wanted "14 March 2025" "144.41 Hours" "Page" )
  string(FIND "${html}" "${wanted}" at)
  if(wanted STREQUAL "Page")
    # HTML has no pages: the page footer belongs to the PDF alone.
    if(NOT at EQUAL -1)
      message(FATAL_ERROR "the HTML sheet holds a page footer")
    endif()
  elseif(at EQUAL -1)
    message(FATAL_ERROR "the sheet does not hold \"${wanted}\"")
  endif()
endforeach()

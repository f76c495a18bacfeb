# In a cross build for Windows, the test programs run under Wine. A wrapper
# generated into the build tree keeps Wine's prefix (and so its registry)
# there, quiet and without a display.
if(NOT (CMAKE_CROSSCOMPILING AND WIN32))
  return()
endif()

if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(BRELLIC_WINE NAMES wine wine64 wine-stable)
  find_program(BRELLIC_WINEBOOT NAMES wineboot wineboot-stable)
  if(NOT BRELLIC_WINE OR NOT BRELLIC_WINEBOOT)
    message(WARNING "Wine not found: the Windows test programs build but cannot be run here.")
    return()
  endif()
  set(BRELLIC_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  # A build against a Qt kit runs with the kit's DLLs and plugins and the
  # MinGW runtime found through WINEPATH, so nothing is copied next to each
  # test program. Wine sees the Unix root as drive Z:.
  set(BRELLIC_WINEPATH "")
  set(BRELLIC_WINE_QT_PLUGIN_PATH "")
  if(BRELLIC_QT_KIT)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
      OUTPUT_VARIABLE runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
    get_filename_component(runtime_dir "${runtime}" DIRECTORY)
    set(unix_paths "${BRELLIC_QT_KIT}/bin" "${runtime_dir}" "/usr/${BRELLIC_MINGW_TRIPLE}/lib")
    set(windows_paths "")
    foreach(unix_path IN LISTS unix_paths)
      string(REPLACE "/" "\\" windows_path "Z:${unix_path}")
      list(APPEND windows_paths "${windows_path}")
    endforeach()
    list(JOIN windows_paths ";" BRELLIC_WINEPATH)
    string(REPLACE "/" "\\" BRELLIC_WINE_QT_PLUGIN_PATH "Z:${BRELLIC_QT_KIT}/plugins")
    # Qt's offscreen platform on Windows looks for fonts in a folder of its
    # own, not the system's: the window tests get the host's DejaVu fonts.
    set(BRELLIC_WINE_QT_FONTDIR "")
    if(EXISTS /usr/share/fonts/truetype/dejavu)
      set(BRELLIC_WINE_QT_FONTDIR "Z:\\usr\\share\\fonts\\truetype\\dejavu")
    endif()
  endif()
  configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run
    @ONLY FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
    WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
endif()

# Every Wine process costs a second or more, so each test program is one
# CTest test here instead of one per test case, and nothing runs at build
# time. The program's own output still names each failing case.
function(gtest_discover_tests target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "WORKING_DIRECTORY" "PROPERTIES")
  add_test(NAME ${target} COMMAND ${target})
  if(arg_WORKING_DIRECTORY)
    set_tests_properties(${target} PROPERTIES WORKING_DIRECTORY ${arg_WORKING_DIRECTORY})
  endif()
  if(arg_PROPERTIES)
    set_tests_properties(${target} PROPERTIES ${arg_PROPERTIES})
  endif()
endfunction()

# What Windows needs beside brellic.exe and brellic-cli.exe, as windeployqt
# would place it: the Qt libraries the programs link, the platform plugins
# (windows for the window, offscreen for brellic-cli's headless work), the
# style plugin, and the MinGW C++ runtime that Qt's DLLs and the programs
# share. `cmake --install` then gives a folder that runs as it is.
set(brellic_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
if(TARGET Qt6::PrintSupport)
  list(APPEND brellic_qt_libraries Qt6::PrintSupport)
endif()
foreach(library IN LISTS brellic_qt_libraries)
  install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin>
  $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)

foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
    OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "The MinGW runtime library ${runtime} was not found")
  endif()
  install(FILES ${runtime_path} DESTINATION .)
endforeach()

# Qt is shipped under the LGPL: its licence text goes with it.
if(EXISTS /usr/share/doc/libqt6core6/copyright)
  install(FILES /usr/share/doc/libqt6core6/copyright DESTINATION licenses RENAME Qt.txt)
endif()

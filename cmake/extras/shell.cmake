# Shell pieces that tests use: the platform tests compare the command-line
# splitter with the system's own (CommandLineToArgvW, shell32); the installer
# test reads the target of the "Send to" shell link (COM: ole32, uuid).
# (Included after package.cmake, which makes package_tests.)
if(WIN32 AND TARGET win32_tests)
  target_link_libraries(win32_tests PRIVATE shell32)
endif()
if(WIN32 AND TARGET package_tests)
  target_link_libraries(package_tests PRIVATE ole32 uuid)
endif()

# The compiled help file beside the program: chmcmd (Debian fp-utils) builds
# Quillmoth.chm from the pages in docs/help. The program opens it from its own
# folder, so it lands beside Quillmoth.exe.
if(WIN32)
  find_program(QUILLMOTH_CHMCMD chmcmd REQUIRED)
  set(HELP_SOURCE_DIR ${CMAKE_SOURCE_DIR}/docs/help)
  set(QUILLMOTH_HELP_FILE ${CMAKE_BINARY_DIR}/Quillmoth.chm)
  # Every page, picture and the project file: a change to any of them rebuilds the file.
  # The screenshot is a link to docs/, so its target counts too.
  file(GLOB HELP_INPUTS CONFIGURE_DEPENDS ${HELP_SOURCE_DIR}/*)
  list(APPEND HELP_INPUTS ${CMAKE_SOURCE_DIR}/docs/main-window.png)
  # chmcmd reads the pages relative to the project file and writes the file named in
  # it ("Compiled file") into its working folder. It keeps an older file when the
  # compile fails, so that one is removed first.
  add_custom_command(OUTPUT ${QUILLMOTH_HELP_FILE}
    COMMAND ${CMAKE_COMMAND} -E rm -f ${QUILLMOTH_HELP_FILE}
    COMMAND ${QUILLMOTH_CHMCMD} --verbosity 0 ${HELP_SOURCE_DIR}/quillmoth.hhp
    DEPENDS ${HELP_INPUTS}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    COMMENT "Compiling the help file Quillmoth.chm"
    VERBATIM)
  add_custom_target(QuillmothHelp ALL DEPENDS ${QUILLMOTH_HELP_FILE})
  # The window tests run beside it as the program does: without it, help
  # stops the window with a message that no test answers.
  if(TARGET ui_tests)
    add_dependencies(ui_tests QuillmothHelp)
  endif()

  # The built file holds both topics and both window types that the program opens.
  find_program(QUILLMOTH_CHMLS chmls REQUIRED)
  add_test(NAME help_file_check
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/help/help_file_check.py
            ${QUILLMOTH_CHMLS} ${QUILLMOTH_HELP_FILE} ${CMAKE_SOURCE_DIR}/src/win32/help.h)
  set_tests_properties(help_file_check PROPERTIES LABELS native)
else()
  # The time format page's examples, run through the program's own expander.
  add_executable(help_page_tests tests/help/time_format_page_test.cpp)
  target_link_libraries(help_page_tests PRIVATE quillmoth_core GTest::gtest_main)
  target_compile_definitions(help_page_tests PRIVATE
    QUILLMOTH_TIME_FORMAT_PAGE="${CMAKE_SOURCE_DIR}/docs/help/timeformat.html"
    QUILLMOTH_TIME_FORMAT_SOURCE="${CMAKE_SOURCE_DIR}/src/core/timestamp/time_format.cpp")
  gtest_discover_tests(help_page_tests DISCOVERY_MODE PRE_TEST PROPERTIES LABELS native)
endif()

# The About window's build date and time: those of the last commit, so that
# building the same sources again gives the same program. Without git, the
# SOURCE_DATE_EPOCH of reproducible builds, else the version header's time.
if(WIN32)
  execute_process(COMMAND git log -1 --format=%ct
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE QUILLMOTH_BUILD_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
    RESULT_VARIABLE git_result ERROR_QUIET)
  if(NOT git_result EQUAL 0 OR NOT QUILLMOTH_BUILD_TIME MATCHES "^[0-9]+$")
    if(DEFINED ENV{SOURCE_DATE_EPOCH})
      set(QUILLMOTH_BUILD_TIME "$ENV{SOURCE_DATE_EPOCH}")
    else()
      file(TIMESTAMP ${CMAKE_SOURCE_DIR}/resources/version.h QUILLMOTH_BUILD_TIME "%s" UTC)
    endif()
  endif()
  # Only the two files that need it, so that a new commit recompiles just these.
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/ui/windows/about_window.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS QUILLMOTH_BUILD_TIME=${QUILLMOTH_BUILD_TIME})
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/tests/ui/windows/about_window_test.cpp APPEND PROPERTY
    COMPILE_DEFINITIONS QUILLMOTH_BUILD_TIME=${QUILLMOTH_BUILD_TIME})
endif()

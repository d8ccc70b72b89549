# Release packages from the Windows build, made by
#   cmake --build build/windows --target package
# beside the program: the portable zip Quillmoth-<x.y.z>-win64.zip and the per-user
# installer Quillmoth-<x.y.z>-win64-setup.exe (NSIS, packaging/quillmoth.nsi).
# Both carry only Quillmoth.exe of the programs, with the help file, LICENSE and a
# short readme. Texts get CRLF line ends: the readers are Windows users.
if(WIN32)
  find_program(QUILLMOTH_MAKENSIS makensis REQUIRED)

  file(STRINGS ${CMAKE_SOURCE_DIR}/resources/version.h version_line
       REGEX "^#define QUILLMOTH_VERSION_TEXT \"[0-9.]+\"")
  string(REGEX MATCH "([0-9]+\\.[0-9]+\\.[0-9]+)\\.[0-9]+" QUILLMOTH_VERSION "${version_line}")
  set(QUILLMOTH_VERSION_SHORT ${CMAKE_MATCH_1})
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/version.h)

  set(package_stage ${CMAKE_BINARY_DIR}/package)
  set(QUILLMOTH_ZIP ${CMAKE_BINARY_DIR}/Quillmoth-${QUILLMOTH_VERSION_SHORT}-win64.zip)
  set(QUILLMOTH_SETUP ${CMAKE_BINARY_DIR}/Quillmoth-${QUILLMOTH_VERSION_SHORT}-win64-setup.exe)
  configure_file(${CMAKE_SOURCE_DIR}/packaging/README.txt ${package_stage}/README.txt @ONLY NEWLINE_STYLE CRLF)
  configure_file(${CMAKE_SOURCE_DIR}/LICENSE ${package_stage}/LICENSE @ONLY NEWLINE_STYLE CRLF)

  set(package_files Quillmoth.exe Quillmoth.chm LICENSE README.txt)
  add_custom_command(OUTPUT ${QUILLMOTH_ZIP}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Quillmoth> ${package_stage}/Quillmoth.exe
    # The build keeps its debugging information in Quillmoth.debug; users get the program without it.
    COMMAND ${CMAKE_STRIP} --strip-debug ${package_stage}/Quillmoth.exe
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_BINARY_DIR}/Quillmoth.chm ${package_stage}/Quillmoth.chm
    COMMAND ${CMAKE_COMMAND} -E rm -f ${QUILLMOTH_ZIP}
    COMMAND ${CMAKE_COMMAND} -E tar cf ${QUILLMOTH_ZIP} --format=zip ${package_files}
    DEPENDS Quillmoth ${CMAKE_BINARY_DIR}/Quillmoth.chm ${package_stage}/README.txt ${package_stage}/LICENSE
    WORKING_DIRECTORY ${package_stage}
    COMMENT "Packing ${QUILLMOTH_ZIP}"
    VERBATIM)
  # The staged files of the zip are the installer's too.
  add_custom_command(OUTPUT ${QUILLMOTH_SETUP}
    COMMAND ${QUILLMOTH_MAKENSIS} -V2 -NOCD
            -DVERSION=${QUILLMOTH_VERSION} -DSTAGE=${package_stage}
            -DICON=${CMAKE_SOURCE_DIR}/resources/program.ico -DOUTFILE=${QUILLMOTH_SETUP}
            ${CMAKE_SOURCE_DIR}/packaging/quillmoth.nsi
    DEPENDS ${QUILLMOTH_ZIP} ${CMAKE_SOURCE_DIR}/packaging/quillmoth.nsi ${CMAKE_SOURCE_DIR}/resources/program.ico
    WORKING_DIRECTORY ${package_stage}
    COMMENT "Building the installer ${QUILLMOTH_SETUP}"
    VERBATIM)
  add_custom_target(package DEPENDS ${QUILLMOTH_ZIP} ${QUILLMOTH_SETUP})
  add_dependencies(package Quillmoth QuillmothHelp)

  # The zip holds exactly its files; the installer, run silently under Wine,
  # installs, updates and uninstalls. The test program depends on the packages,
  # so the default build makes them and the tests never meet stale ones.
  add_test(NAME package_zip_check
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/package/zip_check.py ${QUILLMOTH_ZIP}
            ${CMAKE_BINARY_DIR}/Quillmoth.chm ${CMAKE_SOURCE_DIR}/LICENSE
            ${CMAKE_SOURCE_DIR}/src/core/settings_file/settings_file.h)
  set_tests_properties(package_zip_check PROPERTIES LABELS native)

  add_executable(package_tests tests/package/installer_test.cpp tests/ui/program_process.cpp)
  target_include_directories(package_tests PRIVATE tests tests/ui)
  target_link_libraries(package_tests PRIVATE quillmoth_core GTest::gtest_main version shell32 advapi32)
  get_filename_component(setup_name ${QUILLMOTH_SETUP} NAME)
  target_compile_definitions(package_tests PRIVATE QUILLMOTH_SETUP_NAME=L"${setup_name}")
  add_dependencies(package_tests package)
  gtest_discover_tests(package_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60 PROPERTIES LABELS wine)
endif()

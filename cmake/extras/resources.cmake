# Checks of the committed resources that need no Windows: the symbol font's tables
# and outlines, with the system Python's fontTools (Debian python3-fonttools).
if(NOT WIN32)
  add_test(NAME buttons_font_check
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/ui/buttons_font_check.py
            ${CMAKE_SOURCE_DIR}/resources/buttons.ttf ${CMAKE_SOURCE_DIR}/resources/make_font.py)
  set_tests_properties(buttons_font_check PROPERTIES LABELS native)
endif()

# windres reads these files, but CMake does not see them as inputs of the .rc script:
# without this, a new icon or font would not reach the executables.
if(WIN32)
  set_source_files_properties(${CMAKE_SOURCE_DIR}/resources/quillmoth.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/resources/buttons.ttf;${CMAKE_SOURCE_DIR}/resources/program.ico;${CMAKE_SOURCE_DIR}/resources/picture.ico;${CMAKE_SOURCE_DIR}/resources/quillmoth.manifest;${CMAKE_SOURCE_DIR}/resources/resource_ids.h;${CMAKE_SOURCE_DIR}/resources/version_info.rc;${CMAKE_SOURCE_DIR}/resources/version.h")
endif()

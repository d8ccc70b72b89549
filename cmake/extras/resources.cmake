# Checks of the committed resources that need no Windows: the symbol font's tables
# and outlines, with the system Python's fontTools (Debian python3-fonttools).
if(NOT WIN32)
  add_test(NAME buttons_font_check
    COMMAND /usr/bin/python3 ${CMAKE_SOURCE_DIR}/tests/ui/buttons_font_check.py
            ${CMAKE_SOURCE_DIR}/resources/buttons.ttf ${CMAKE_SOURCE_DIR}/resources/make_font.py)
  set_tests_properties(buttons_font_check PROPERTIES LABELS native)
endif()

# The caption measurement once more in a Wine prefix of its own at 144 dpi
# (150 %), where every font and dialog unit is half as large again.
if(WIN32 AND TARGET ui_tests)
  add_test(NAME captions.144dpi
    COMMAND ui_tests "--gtest_filter=Captions.*")
  set_tests_properties(captions.144dpi PROPERTIES
    ENVIRONMENT "QUILLMOTH_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-144dpi;QUILLMOTH_WINE_DPI=144"
    LABELS gui)
endif()

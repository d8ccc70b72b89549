# The caption measurement and the main window's fit once more in a Wine prefix
# of its own at 144 dpi (150 %), where every font and dialog unit is half as
# large again, on a 1920 x 1080 screen; and the window's fit on a screen of
# 900 x 500, smaller than its options.
if(WIN32 AND TARGET ui_tests)
  set(QUILLMOTH_144DPI_ENVIRONMENT
    "QUILLMOTH_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-144dpi;QUILLMOTH_WINE_DPI=144;QUILLMOTH_WINE_DESKTOP=1920x1080")
  add_test(NAME captions.144dpi
    COMMAND ui_tests "--gtest_filter=Captions.*")
  add_test(NAME screen.144dpi
    COMMAND ui_tests "--gtest_filter=MainWindowSize.OpensWhole*:MainWindowScreen.*")
  set_tests_properties(captions.144dpi screen.144dpi PROPERTIES
    ENVIRONMENT "${QUILLMOTH_144DPI_ENVIRONMENT}"
    LABELS gui)
  add_test(NAME screen.small
    COMMAND ui_tests "--gtest_filter=MainWindowScreen.*")
  set_tests_properties(screen.small PROPERTIES
    ENVIRONMENT "QUILLMOTH_WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix-small;QUILLMOTH_WINE_DESKTOP=900x500"
    LABELS gui)
endif()

# The date-taken tests and benchmark: photos and videos that ExifTool dated,
# made once per build folder by scripts/make_date_taken_files.py (a few
# seconds), and a few small stored ones that the malformed-input table cuts
# and corrupts.
set(DATE_TAKEN_FILES "${CMAKE_BINARY_DIR}/date_taken_files")
target_compile_definitions(core_tests PRIVATE QM_DATE_TAKEN_FILES="${DATE_TAKEN_FILES}")
target_compile_definitions(date_taken_bench PRIVATE QM_DATE_TAKEN_FILES="${DATE_TAKEN_FILES}")
find_program(EXIFTOOL exiftool)
find_program(IMAGEMAGICK_CONVERT convert)
find_package(Python3 COMPONENTS Interpreter)
if(EXIFTOOL AND IMAGEMAGICK_CONVERT AND Python3_Interpreter_FOUND)
  set(generator "${CMAKE_SOURCE_DIR}/scripts/make_date_taken_files.py")
  add_custom_command(OUTPUT "${DATE_TAKEN_FILES}/expected.txt"
    COMMAND ${Python3_EXECUTABLE} "${generator}" "${DATE_TAKEN_FILES}"
    DEPENDS "${generator}"
    COMMENT "Photos and videos dated by ExifTool")
  add_custom_target(date_taken_files DEPENDS "${DATE_TAKEN_FILES}/expected.txt")
  add_dependencies(core_tests date_taken_files)
  add_dependencies(date_taken_bench date_taken_files)
else()
  message(WARNING "exiftool, convert or python3 is missing (scripts/setup.sh installs them): "
                  "the date-taken test against ExifTool will fail")
endif()

foreach(seed digitized.jpg original.tif digitized.png digitized.webp original.heic keys.mp4 header.mov)
  string(MAKE_C_IDENTIFIER "${seed}" symbol)
  embed_bytes(core_tests tests/core/data/photo/${seed} ${symbol} photo_${symbol}.h)
endforeach()

# The program's own test of photos: the stored JPEG, its date changed per photo.
if(TARGET ui_tests)
  embed_bytes(ui_tests tests/core/data/photo/digitized.jpg digitized_jpg photo_digitized_jpg.h)
endif()

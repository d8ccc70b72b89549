# Benchmark and stress program on real files under Wine: they drive the real main
# window in this process, so they carry the program's resources.
if(WIN32)
  foreach(name file_list_wine_bench file_list_stress main_window_bench run_journal_wine_bench add_folder_wine_bench
      find_pattern_wine_bench)
    add_executable(${name} bench/windows/${name}.cpp bench/windows/bench_files.cpp
      tests/ui/main_window_harness.cpp ${QUILLMOTH_RC})
    target_include_directories(${name} PRIVATE tests tests/ui bench/windows)
    target_link_libraries(${name} PRIVATE quillmoth_ui)
    target_link_options(${name} PRIVATE -municode)
  endforeach()
  # Adding photos that carry Exif: the JPEGs ExifTool dated for the tests (date_taken.cmake).
  target_compile_definitions(file_list_wine_bench PRIVATE QM_DATE_TAKEN_FILES="${DATE_TAKEN_FILES}")
  if(TARGET date_taken_files)
    add_dependencies(file_list_wine_bench date_taken_files)
  endif()
endif()

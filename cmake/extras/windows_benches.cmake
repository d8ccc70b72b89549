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
  # It waits, untimed, for the dates taken read after each add, on the window's thread.
  target_sources(file_list_wine_bench PRIVATE tests/ui/window_thread_calls.cpp)
  if(TARGET date_taken_files)
    add_dependencies(file_list_wine_bench date_taken_files)
  endif()
endif()
# The start benchmark: the real program beside the bare procedure that shows
# the same template, both started as processes of their own.
if(WIN32)
  add_executable(bare_template WIN32 bench/windows/bare_template.cpp ${QUILLMOTH_RC})
  target_include_directories(bare_template PRIVATE resources)
  target_link_libraries(bare_template PRIVATE comctl32)
  target_link_options(bare_template PRIVATE -municode)
  add_executable(start_wine_bench bench/windows/start_wine_bench.cpp tests/ui/program_process.cpp)
  target_include_directories(start_wine_bench PRIVATE tests tests/ui src)
  target_link_libraries(start_wine_bench PRIVATE quillmoth_win32)
  target_link_options(start_wine_bench PRIVATE -municode)
  add_dependencies(start_wine_bench Quillmoth bare_template)
endif()

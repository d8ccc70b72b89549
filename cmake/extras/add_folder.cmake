# "Add Folder" opens the platform's folder picker, a COM object.
if(WIN32)
  target_link_libraries(quillmoth_ui PUBLIC ole32 uuid)
endif()

# Its benchmark on a real tree under Wine, through the real main window.
if(WIN32)
  add_executable(add_folder_wine_bench bench/windows/add_folder_wine_bench.cpp bench/windows/bench_files.cpp
    tests/ui/main_window_harness.cpp ${QUILLMOTH_RC})
  target_include_directories(add_folder_wine_bench PRIVATE tests tests/ui bench/windows)
  target_link_libraries(add_folder_wine_bench PRIVATE quillmoth_ui)
  target_link_options(add_folder_wine_bench PRIVATE -municode)
endif()

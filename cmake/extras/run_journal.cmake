# The run journal's benchmarks under Wine: the journal's file against bare
# calls, and a rename run of real files through the main window with and
# without the journal.
if(WIN32)
  add_executable(run_journal_bench bench/windows/run_journal_bench.cpp bench/windows/bench_files.cpp)
  target_include_directories(run_journal_bench PRIVATE tests bench/windows)
  target_link_libraries(run_journal_bench PRIVATE quillmoth_win32)
  target_link_options(run_journal_bench PRIVATE -municode)

  add_executable(run_journal_wine_bench bench/windows/run_journal_wine_bench.cpp bench/windows/bench_files.cpp
    tests/ui/main_window_harness.cpp ${QUILLMOTH_RC})
  target_include_directories(run_journal_wine_bench PRIVATE tests tests/ui bench/windows)
  target_link_libraries(run_journal_wine_bench PRIVATE quillmoth_ui)
  target_link_options(run_journal_wine_bench PRIVATE -municode)
endif()

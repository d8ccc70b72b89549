# The run journal's benchmark under Wine: the journal's file against bare
# calls. (Its run through the main window is one of the window benchmarks.)
if(WIN32)
  add_executable(run_journal_bench bench/windows/run_journal_bench.cpp bench/windows/bench_files.cpp)
  target_include_directories(run_journal_bench PRIVATE tests bench/windows)
  target_link_libraries(run_journal_bench PRIVATE quillmoth_win32)
  target_link_options(run_journal_bench PRIVATE -municode)
endif()

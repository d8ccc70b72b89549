# The program that fills the real window for the README's picture of it at work.
if(WIN32)
  add_executable(screenshot_driver scripts/screenshot_driver.cpp tests/ui/program_process.cpp)
  target_include_directories(screenshot_driver PRIVATE tests tests/ui ${CMAKE_SOURCE_DIR}/resources)
  target_link_libraries(screenshot_driver PRIVATE comctl32 shell32 user32)
  target_link_options(screenshot_driver PRIVATE -municode)
  add_dependencies(screenshot_driver Quillmoth)
endif()

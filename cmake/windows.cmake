# Windows build: platform layer, program, Windows-side tests (run through Wine).
add_compile_definitions(UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN _WIN32_WINNT=0x0601 WINVER=0x0601)

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} --codepage=65001")

file(GLOB_RECURSE WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
add_library(quillmoth_win32 STATIC ${WIN32_SOURCES})
target_link_libraries(quillmoth_win32 PUBLIC quillmoth_core comctl32 gdi32)

# Everything of the program except its entry point, so tests can drive it in-process.
file(GLOB_RECURSE UI_SOURCES CONFIGURE_DEPENDS src/app/*.cpp src/ui/*.cpp)
list(FILTER UI_SOURCES EXCLUDE REGEX ".*/src/app/entry_point\\.cpp$")
add_library(quillmoth_ui STATIC ${UI_SOURCES})
target_include_directories(quillmoth_ui PUBLIC resources)
include(cmake/delay_load.cmake)
target_link_libraries(quillmoth_ui PUBLIC quillmoth_win32
  comctl32 ${QUILLMOTH_DELAY_LOADED} gdi32 imm32 user32 uxtheme kernel32)
target_link_options(quillmoth_ui INTERFACE ${QUILLMOTH_DELAY_LOAD_OPTIONS})

set(QUILLMOTH_RC ${CMAKE_SOURCE_DIR}/resources/quillmoth.rc)

add_executable(Quillmoth WIN32 src/app/entry_point.cpp ${QUILLMOTH_RC})
target_link_libraries(Quillmoth PRIVATE quillmoth_ui)
target_link_options(Quillmoth PRIVATE -municode)
set_target_properties(Quillmoth PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
# The program that is tested and measured is the one users get: its debugging
# information goes into Quillmoth.debug beside it (as a PDB would), which gdb
# finds by the link left in the program. Left in, those sections lie off page
# boundaries, and Wine copies them into memory at every start, some 8 MB.
if(CMAKE_OBJCOPY)
  add_custom_command(TARGET Quillmoth POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug Quillmoth.exe Quillmoth.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-debug --add-gnu-debuglink=Quillmoth.debug Quillmoth.exe
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
    VERBATIM)
endif()

# The same build without resource 102, to show the program without its symbol font.
add_executable(QuillmothNoFont WIN32 src/app/entry_point.cpp ${QUILLMOTH_RC})
target_compile_definitions(QuillmothNoFont PRIVATE QUILLMOTH_WITHOUT_FONT)
target_link_libraries(QuillmothNoFont PRIVATE quillmoth_ui)
target_link_options(QuillmothNoFont PRIVATE -municode)

gtest_discover_tests(core_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
  TEST_PREFIX "wine." PROPERTIES LABELS wine)

file(GLOB_RECURSE WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
if(WIN32_TEST_SOURCES)
  add_executable(win32_tests ${WIN32_TEST_SOURCES} tests/win32/program_manifest.rc)
  target_link_libraries(win32_tests PRIVATE quillmoth_win32 uxtheme GTest::gtest_main GTest::gmock)
  target_include_directories(win32_tests PRIVATE tests resources)
  gtest_discover_tests(win32_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS wine)
endif()

file(GLOB_RECURSE UI_TEST_SOURCES CONFIGURE_DEPENDS tests/ui/*.cpp)
if(UI_TEST_SOURCES)
  add_executable(ui_tests ${UI_TEST_SOURCES} ${QUILLMOTH_RC})
  target_link_libraries(ui_tests PRIVATE quillmoth_ui GTest::gtest_main GTest::gmock)
  target_include_directories(ui_tests PRIVATE tests tests/ui)
  # Process tests start the programs that lie beside the test executable.
  add_dependencies(ui_tests Quillmoth QuillmothNoFont)
  gtest_discover_tests(ui_tests DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS gui)
  # Its two halves under two time zones, each a Wine process of its own.
  add_test(NAME ProgramExactTimes.UndoAfterARestartUnderAnotherTimeZone
    COMMAND bash ${CMAKE_SOURCE_DIR}/tests/ui/undo_in_another_time_zone.sh $<TARGET_FILE:ui_tests>)
  set_tests_properties(ProgramExactTimes.UndoAfterARestartUnderAnotherTimeZone PROPERTIES LABELS gui)
endif()


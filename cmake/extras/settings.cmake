# The settings store of the platform layer reads control ids and uses the common
# controls.
if(WIN32)
  target_include_directories(quillmoth_win32 PUBLIC ${CMAKE_SOURCE_DIR}/resources)
  target_link_libraries(quillmoth_win32 PUBLIC comctl32 user32 kernel32)
endif()

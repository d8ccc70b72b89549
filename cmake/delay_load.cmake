# The libraries the main window needs only when the user asks for something
# (a drop, "Add Folder", "Add Files", a sound, the maker's web address) are
# loaded at their first call, not at the start: under Wine, loading them up
# front costs a fresh process some 15 to 25 ms before its window shows.
# QUILLMOTH_DELAY_LOADED names the libraries to link instead of the plain ones.
set(QUILLMOTH_DELAY_LOADED_DLLS comdlg32 ole32 shell32 winmm)
if(MSVC)
  set(QUILLMOTH_DELAY_LOADED ${QUILLMOTH_DELAY_LOADED_DLLS} delayimp)
  foreach(dll IN LISTS QUILLMOTH_DELAY_LOADED_DLLS)
    list(APPEND QUILLMOTH_DELAY_LOAD_OPTIONS "/DELAYLOAD:${dll}.dll")
  endforeach()
else()
  # The GNU linker has no switch for it: an import library made by dlltool
  # with --output-delaylib lists the functions used (cmake/delay_load/*.def)
  # and calls the loader of libdelayimp on first use. A function that is not
  # listed there fails the link: add it to its library's file.
  if(CMAKE_DLLTOOL)
    set(QUILLMOTH_DLLTOOL ${CMAKE_DLLTOOL})
  else()
    find_program(QUILLMOTH_DLLTOOL NAMES x86_64-w64-mingw32-dlltool dlltool REQUIRED)
  endif()
  set(QUILLMOTH_DELAY_LOADED)
  foreach(dll IN LISTS QUILLMOTH_DELAY_LOADED_DLLS)
    set(definition ${CMAKE_CURRENT_LIST_DIR}/delay_load/${dll}.def)
    set(library ${CMAKE_BINARY_DIR}/delay_load/lib${dll}_delay.a)
    add_custom_command(OUTPUT ${library}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delay_load
      COMMAND ${QUILLMOTH_DLLTOOL} --input-def ${definition} --output-delaylib ${library} --dllname ${dll}.dll
      DEPENDS ${definition} VERBATIM)
    add_custom_target(${dll}_delay_library DEPENDS ${library})
    add_library(${dll}_delay STATIC IMPORTED GLOBAL)
    set_target_properties(${dll}_delay PROPERTIES IMPORTED_LOCATION ${library})
    add_dependencies(${dll}_delay ${dll}_delay_library)
    list(APPEND QUILLMOTH_DELAY_LOADED ${dll}_delay)
  endforeach()
  list(APPEND QUILLMOTH_DELAY_LOADED delayimp)
endif()

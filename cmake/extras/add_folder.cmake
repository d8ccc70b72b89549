# "Add Folder" opens the platform's folder picker, a COM object.
if(WIN32)
  target_link_libraries(quillmoth_ui PUBLIC uuid)  # ole32 itself is loaded at first use
endif()

# Puts a file's bytes into a generated header as `qm::test::SYMBOL`, so that a
# test reads a stored file exactly as it is on disk, in every build and under
# Wine, without finding its path at run time.
function(embed_bytes target file symbol header)
  set(source "${CMAKE_SOURCE_DIR}/${file}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${source}")
  file(READ "${source}" hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(folder "${CMAKE_BINARY_DIR}/embedded")
  # CONFIGURE writes only when the text changes, so a configure alone rebuilds nothing.
  file(CONFIGURE OUTPUT "${folder}/${header}" CONTENT
    "#pragma once\n// Made from ${file} by the build.\n#include <cstdint>\n#include <vector>\n\nnamespace qm::test {\ninline const std::vector<std::uint8_t> ${symbol}{${bytes}};\n}\n")
  target_include_directories(${target} PRIVATE "${folder}")
endfunction()

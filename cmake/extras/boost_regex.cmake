# Boost.Regex, header-only since Boost 1.77: the headers of Debian's
# libboost1.81-dev, unpacked into build/deps/boost by scripts/fetch-boost.sh
# (run here when they are missing). Older system headers are never used.
set(QUILLMOTH_BOOST_INCLUDE ${CMAKE_SOURCE_DIR}/build/deps/boost/usr/include)
if(NOT EXISTS ${QUILLMOTH_BOOST_INCLUDE}/boost/regex.hpp)
  execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/scripts/fetch-boost.sh RESULT_VARIABLE fetched)
  if(NOT fetched EQUAL 0 OR NOT EXISTS ${QUILLMOTH_BOOST_INCLUDE}/boost/regex.hpp)
    message(FATAL_ERROR "Boost 1.81 headers missing: run scripts/setup.sh")
  endif()
endif()
# Before the system's include folders, so its older Boost stays out of the way.
target_include_directories(quillmoth_core SYSTEM BEFORE PUBLIC ${QUILLMOTH_BOOST_INCLUDE})

# The core's include line: every file of core/ includes only core/ and data/
# by their paths from the tree's root ("core/records/records.h"), or the
# compiler's own headers. Anything else (game/, platform/, tools/, tests/,
# a relative path) stops the build with the file, the line and the include.
#
#   cmake -DCORE_DIR=<tree>/core -DSTAMP=<file touched on success> -P corefence.cmake
if(NOT CORE_DIR OR NOT STAMP)
  message(FATAL_ERROR "corefence: give -DCORE_DIR=<core folder> and -DSTAMP=<stamp file>")
endif()

file(GLOB_RECURSE files ${CORE_DIR}/*)
set(found)
foreach(file ${files})
  file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line ${includes})
    if(NOT line MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
      continue()
    endif()
    set(kind ${CMAKE_MATCH_1})
    set(path ${CMAKE_MATCH_2})
    if(kind STREQUAL "\"")
      set(allowed FALSE)
      if(path MATCHES "^(core|data)/" AND NOT path MATCHES "(^|/)\\.\\.(/|$)")
        set(allowed TRUE)
      endif()
    else()
      # The compiler's and the system's headers; never a folder of the tree.
      set(allowed TRUE)
      if(path MATCHES "^(game|platform|tools|tests|bench|fuzz)/" OR path MATCHES "(^|/)\\.\\.(/|$)")
        set(allowed FALSE)
      endif()
    endif()
    if(NOT allowed)
      file(RELATIVE_PATH shown ${CORE_DIR}/.. ${file})
      string(STRIP "${line}" line)
      list(APPEND found "  ${shown}: ${line}")
    endif()
  endforeach()
endforeach()

if(found)
  list(JOIN found "\n" lines)
  message(FATAL_ERROR "core includes only core/ and data/ (it reaches the front end through "
                      "core/base/corehooks.h):\n${lines}")
endif()
file(TOUCH ${STAMP})

# cmake -DROOT=<source dir> -DFOUND=<"target property item (path)";...> -P NoTestCode.cmake
# FOUND: what the configure step saw non-test targets take from tests/.
set(bad "")
foreach(item IN LISTS FOUND)
  string(APPEND bad "  target ${item}\n")
endforeach()

file(GLOB_RECURSE sources
  ${ROOT}/framework/* ${ROOT}/drawing/* ${ROOT}/effect/* ${ROOT}/gui/* ${ROOT}/resources/*
  ${ROOT}/aax-support/* ${ROOT}/formats/* ${ROOT}/tools/renderer/*)
list(FILTER sources INCLUDE REGEX "\\.(h|cpp|c|rc)$")
foreach(file IN LISTS sources)
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]tests/")
  foreach(line IN LISTS lines)
    file(RELATIVE_PATH rel ${ROOT} ${file})
    string(APPEND bad "  ${rel}: ${line}\n")
  endforeach()
endforeach()

if(bad)
  message(FATAL_ERROR "Shipped code takes test code:\n${bad}")
endif()
message(STATUS "No test code in the shipped code")

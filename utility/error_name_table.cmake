# Writes the table of system-error names (OUT, C++ initialiser lines) from the
# "code<TAB>name" list (LIST). Code 1063 keeps only the first 32 characters of
# its name: the texts the suite has always printed carry the cut form.
file(STRINGS ${LIST} lines REGEX "^[0-9]+\t")
set(body "// Generated from ${LIST}; do not edit.\n")
foreach(line IN LISTS lines)
  string(REGEX MATCH "^([0-9]+)\t([A-Za-z0-9_]+)$" matched "${line}")
  if(NOT matched)
    message(FATAL_ERROR "bad error-name line: ${line}")
  endif()
  set(code ${CMAKE_MATCH_1})
  set(name ${CMAKE_MATCH_2})
  if(code EQUAL 1063)
    string(SUBSTRING "${name}" 0 32 name)
  endif()
  string(APPEND body "{${code}, \"${name}\"},\n")
endforeach()
file(WRITE ${OUT} "${body}")

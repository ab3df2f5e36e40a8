# Turns data/host-charsets.tsv into the rows of the plug-in's table of the
# host's characters. In: -DINPUT=<tsv> -DOUTPUT=<file>. Out: one line
# "{set, number, 0xCODE}," per row, in the file's order, which must be by set
# and then number. A header, field count, number or order that is off stops
# the build with the line it was found on.
cmake_minimum_required(VERSION 3.25)

if(NOT INPUT OR NOT OUTPUT)
  message(FATAL_ERROR "usage: cmake -DINPUT=host-charsets.tsv -DOUTPUT=table.inc -P host_charsets.cmake")
endif()
file(READ "${INPUT}" content)
# The file is read as a CMake list, which a semicolon, bracket or backslash
# would split or join wrongly; none belongs in the table.
if(content MATCHES "[];[\\\r]")
  message(FATAL_ERROR "${INPUT}: a ';', '[', ']', '\\' or carriage return has no place in the table")
endif()
string(REGEX REPLACE "\n$" "" content "${content}")
string(REPLACE "\n" ";" lines "${content}")

list(POP_FRONT lines header)
if(NOT header STREQUAL "set\tnumber\tunicode\tname")
  message(FATAL_ERROR "${INPUT}:1: the header must be 'set<TAB>number<TAB>unicode<TAB>name'")
endif()

set(rows "// Generated from data/host-charsets.tsv by data/generator/host_charsets.cmake.\n")
set(line_number 1)
set(previous -1)
foreach(line IN LISTS lines)
  math(EXPR line_number "${line_number} + 1")
  if(NOT line MATCHES "^(0|[1-9][0-9]*)\t(0|[1-9][0-9]*)\tU\\+([0-9A-F][0-9A-F][0-9A-F][0-9A-F][0-9A-F]?[0-9A-F]?)\t[^\t]+$")
    message(FATAL_ERROR "${INPUT}:${line_number}: expected set, number, U+code point and name: '${line}'")
  endif()
  set(set_ ${CMAKE_MATCH_1})
  set(number ${CMAKE_MATCH_2})
  set(code ${CMAKE_MATCH_3})
  if(set_ GREATER 255 OR number GREATER 255)
    message(FATAL_ERROR "${INPUT}:${line_number}: set and number are bytes (0 to 255)")
  endif()
  math(EXPR value "0x${code}")
  if(value GREATER 0x10FFFF OR (value GREATER_EQUAL 0xD800 AND value LESS_EQUAL 0xDFFF))
    message(FATAL_ERROR "${INPUT}:${line_number}: U+${code} is not a Unicode character")
  endif()
  math(EXPR key "${set_} * 256 + ${number}")
  if(key LESS_EQUAL previous)
    message(FATAL_ERROR "${INPUT}:${line_number}: rows must be sorted by set, then number, each once")
  endif()
  set(previous ${key})
  string(APPEND rows "{${set_}, ${number}, 0x${code}},\n")
endforeach()
if(previous EQUAL -1)
  message(FATAL_ERROR "${INPUT}: the table has no rows")
endif()

file(WRITE "${OUTPUT}" "${rows}")

# Checks that the definition files of NX's libraries (nxopen/windows/*.def) list exactly the
# functions that nxopen/include declares with each library's export macro, so that the import
# libraries of a Windows build resolve every call and nothing else.
#
#   cmake -DNXOPEN_DIR=<source>/nxopen [-DSTAMP=<file>] -P CheckNxopenDefs.cmake
#
# Fails with one line for every function that is declared without a library, declared but
# missing from its definition file, or listed there without a declaration.

set(libraries
  UFUNEXPORT libufun
  UGOPENINTEXPORT libugopenint
  UFUN_CAMEXPORT libufun_cam
  UGOPENINT_CAMEXPORT libugopenint_cam)

set(problems "")
set(macros "")
list(LENGTH libraries n)
math(EXPR last "${n} - 1")
foreach(i RANGE 0 ${last} 2)
  math(EXPR j "${i} + 1")
  list(GET libraries ${i} macro)
  list(GET libraries ${j} lib)
  list(APPEND macros ${macro})
  set(lib_of_${macro} ${lib})
  set(declared_${lib} "")
endforeach()

# Declarations: "extern <MACRO> <type> <name>(" on one line, as every header writes them.
file(GLOB headers ${NXOPEN_DIR}/include/*.h)
foreach(header ${headers})
  get_filename_component(header_name ${header} NAME)
  file(READ ${header} text)
  string(REPLACE ";" "" text "${text}")  # a semicolon would split the lines below
  string(REGEX MATCHALL "\nextern [^\n]*\\(" lines "\n${text}")
  foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    string(REGEX MATCH "([A-Za-z_][A-Za-z0-9_]*)\\($" ignored "${line}")
    set(function ${CMAKE_MATCH_1})
    string(REGEX MATCH "^extern ([A-Za-z_]+) " ignored "${line}")
    set(macro ${CMAKE_MATCH_1})
    if(macro STREQUAL "DllExport")
      continue()  # the add-on's own entry points
    endif()
    list(FIND macros "${macro}" known)
    if(known LESS 0)
      list(APPEND problems "${header_name}: ${function} is declared without the export macro of an NX library")
      continue()
    endif()
    set(lib ${lib_of_${macro}})
    list(APPEND declared_${lib} ${function})
    set(header_of_${function} ${header_name})
  endforeach()
endforeach()

foreach(macro ${macros})
  set(lib ${lib_of_${macro}})
  set(def ${NXOPEN_DIR}/windows/${lib}.def)
  if(NOT EXISTS ${def})
    list(APPEND problems "nxopen/windows/${lib}.def is missing")
    continue()
  endif()
  file(STRINGS ${def} def_lines)
  set(listed "")
  set(in_exports FALSE)
  foreach(line IN LISTS def_lines)
    string(REGEX REPLACE ";.*" "" line "${line}")
    string(STRIP "${line}" line)
    if(line STREQUAL "")
      continue()
    elseif(line STREQUAL "EXPORTS")
      set(in_exports TRUE)
    elseif(in_exports)
      list(APPEND listed ${line})
    endif()
  endforeach()
  foreach(function IN LISTS declared_${lib})
    list(FIND listed ${function} at)
    if(at LESS 0)
      list(APPEND problems
        "${header_of_${function}}: ${function} is declared with ${macro} but missing from nxopen/windows/${lib}.def")
    endif()
  endforeach()
  foreach(function IN LISTS listed)
    list(FIND declared_${lib} ${function} at)
    if(at LESS 0)
      list(APPEND problems "nxopen/windows/${lib}.def lists ${function}, which no header declares with ${macro}")
    endif()
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "NX definition files and headers disagree:\n  ${text}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()

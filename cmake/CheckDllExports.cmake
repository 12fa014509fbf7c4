# Checks what a Windows DLL exports and imports, as read by objdump -p:
#
#   cmake -DDLL=<file> -DOBJDUMP=<objdump> -DEXPORTS=a,b -DIMPORTS_ALLOWED=X.dll,Y.dll -P CheckDllExports.cmake
#
# The DLL must export exactly EXPORTS (no C++ runtime symbol leaking out, no entry missing) and
# import only from IMPORTS_ALLOWED (compared ignoring case), so it loads on a machine that has
# Windows and NX and nothing of the compiler's.

get_filename_component(dll_name ${DLL} NAME)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump ERROR_VARIABLE dump_error
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${dll_name}: ${OBJDUMP} cannot read it: ${dump_error}")
endif()

string(REPLACE "," ";" wanted "${EXPORTS}")
string(REPLACE "," ";" allowed "${IMPORTS_ALLOWED}")
string(TOLOWER "${allowed}" allowed)

# Exported names: the lines "[   n] name" of the name pointer table.
set(exported "")
string(FIND "${dump}" "[Ordinal/Name Pointer] Table" table_at)
if(table_at GREATER_EQUAL 0)
  string(SUBSTRING "${dump}" ${table_at} -1 table)
  string(REGEX MATCHALL "\n[ \t]*\\[ *[0-9]+\\] [^\n]+" rows "${table}")
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "^[ \t\n]*\\[ *[0-9]+\\] " "" symbol "${row}")
    string(STRIP "${symbol}" symbol)
    list(APPEND exported ${symbol})
  endforeach()
endif()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_rows "${dump}")
set(imported "")
foreach(row IN LISTS import_rows)
  string(REGEX REPLACE "^DLL Name: " "" import "${row}")
  string(STRIP "${import}" import)
  list(APPEND imported ${import})
endforeach()

set(problems "")
foreach(symbol IN LISTS wanted)
  list(FIND exported ${symbol} at)
  if(at LESS 0)
    list(APPEND problems "missing export ${symbol}")
  endif()
endforeach()
foreach(symbol IN LISTS exported)
  list(FIND wanted ${symbol} at)
  if(at LESS 0)
    list(APPEND problems "extra export ${symbol}")
  endif()
endforeach()
foreach(import IN LISTS imported)
  string(TOLOWER "${import}" lower)
  list(FIND allowed ${lower} at)
  if(at LESS 0)
    list(APPEND problems "imports ${import}, which neither Windows nor NX provides")
  endif()
endforeach()

if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${dll_name}:\n  ${text}")
endif()
list(JOIN exported ", " export_text)
list(JOIN imported ", " import_text)
message(STATUS "${dll_name} exports ${export_text}; imports ${import_text}")

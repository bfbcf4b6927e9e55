# The shape of Kestravel.dll as the Windows loader and the host see it, read with objdump -p:
# a PE32+ x86-64 DLL that exports nothing, imports the host from version.dll, makes the Windows
# platform calls itself, binds Permissions.dll only at run time and needs no MinGW runtime DLL.
#   cmake -DOBJDUMP=<x86_64-w64-mingw32-objdump> -DDLL=<Kestravel.dll> -P dll_shape.cmake
cmake_minimum_required(VERSION 3.25)

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE headers RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed: ${result}")
endif()

set(faults "")

if(NOT headers MATCHES "file format pei-x86-64" OR NOT headers MATCHES "\\(PE32\\+\\)")
  list(APPEND faults "not a PE32+ x86-64 image")
endif()
if(NOT headers MATCHES "Characteristics[^\n]*\n([ \t]+[a-z ]+\n)*[ \t]+DLL\n")
  list(APPEND faults "not marked as a DLL")
endif()

# ld writes an empty export directory; it must stay empty.
foreach(table "Export Address Table" "\\[Name Pointer/Ordinal\\] Table")
  if(headers MATCHES "${table}[ \t]+([0-9a-f]+)")
    set(entries ${CMAKE_MATCH_1})
    if(NOT entries MATCHES "^0+$")
      string(REPLACE "\\" "" label "${table}")
      list(APPEND faults "exports: ${label} has ${entries} entries")
    endif()
  endif()
endforeach()

string(REGEX MATCHALL "DLL Name: [^\n]+" import_lines "${headers}")
set(imports "")
foreach(line IN LISTS import_lines)
  string(REPLACE "DLL Name: " "" name "${line}")
  string(TOLOWER "${name}" name)
  list(APPEND imports "${name}")
endforeach()
if(NOT "version.dll" IN_LIST imports)
  list(APPEND faults "does not import the host from version.dll")
endif()
if("permissions.dll" IN_LIST imports)
  list(APPEND faults "imports Permissions.dll at load time")
endif()
foreach(name IN LISTS imports)
  if(name MATCHES "^(libstdc|libgcc|libwinpthread|libssp|libgomp)")
    list(APPEND faults "needs the MinGW runtime DLL ${name}")
  endif()
endforeach()

foreach(call WideCharToMultiByte _wcsicmp _wcsnicmp towupper GetProcAddress)
  if(NOT headers MATCHES "[ \t]${call}\n")
    list(APPEND faults "does not import ${call}")
  endif()
endforeach()

if(faults)
  list(JOIN faults "\n  " text)
  message(FATAL_ERROR "${DLL}:\n  ${text}")
endif()
list(JOIN imports ", " import_text)
message(STATUS "${DLL}: PE32+ x86-64 DLL, no exports, imports ${import_text}")

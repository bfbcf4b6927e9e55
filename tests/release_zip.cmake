# The release zip unpacks to the plugin's folder inside the server's folder: the DLL, the example
# configuration and the installation text, and the DLL keeps its shape.
#   cmake -DOBJDUMP=<objdump> -DZIP=<Kestravel-*-win64.zip> -DCONFIG=<examples/config.json>
#         -P release_zip.cmake
cmake_minimum_required(VERSION 3.25)

set(expected
  ArkApi/Plugins/Kestravel/Kestravel.dll
  ArkApi/Plugins/Kestravel/config.json
  Kestravel-INSTALL.txt)

if(NOT EXISTS ${ZIP})
  message(FATAL_ERROR "${ZIP} was not built")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E tar tf ${ZIP} OUTPUT_VARIABLE listing
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${ZIP} cannot be read: ${result}")
endif()
string(REPLACE "\n" ";" entries "${listing}")
list(FILTER entries EXCLUDE REGEX "(^$|/$)")
list(SORT entries)
if(NOT entries STREQUAL expected)
  message(FATAL_ERROR "${ZIP} holds\n  ${entries}\ninstead of\n  ${expected}")
endif()

set(server ${CMAKE_CURRENT_BINARY_DIR}/release_zip_server)
file(REMOVE_RECURSE ${server})
file(MAKE_DIRECTORY ${server})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${server}
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${ZIP} cannot be unpacked: ${result}")
endif()
file(SHA256 ${CONFIG} example)
file(SHA256 ${server}/ArkApi/Plugins/Kestravel/config.json unpacked)
if(NOT example STREQUAL unpacked)
  message(FATAL_ERROR "the packaged config.json is not ${CONFIG}")
endif()

set(DLL ${server}/ArkApi/Plugins/Kestravel/Kestravel.dll)
include(${CMAKE_CURRENT_LIST_DIR}/dll_shape.cmake)
file(REMOVE_RECURSE ${server})

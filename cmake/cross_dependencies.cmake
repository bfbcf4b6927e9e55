# Dependencies of the cross build, taken from Debian's packages for this machine: the
# header-only nlohmann-json, spdlog and fmt through a build-local include folder that holds only
# them (the rest of /usr/include belongs to Linux), and GoogleTest built from Debian's source.
# The targets carry the names that find_package gives in the native build.

set(cross_include ${CMAKE_BINARY_DIR}/cross-include)
file(MAKE_DIRECTORY ${cross_include})
foreach(library nlohmann spdlog fmt)
  if(NOT EXISTS /usr/include/${library})
    message(FATAL_ERROR "/usr/include/${library} is missing: run scripts/install-deps windows")
  endif()
  file(CREATE_LINK /usr/include/${library} ${cross_include}/${library} SYMBOLIC)
endforeach()

add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${cross_include})

# Debian's spdlog is configured for an external fmt (its tweakme.h), which is header-only here.
# spdlog itself is compiled once, in spdlog_library.cpp.
add_library(kestravel_spdlog STATIC ${CMAKE_CURRENT_LIST_DIR}/spdlog_library.cpp)
target_include_directories(kestravel_spdlog SYSTEM PUBLIC ${cross_include})
target_compile_definitions(kestravel_spdlog PUBLIC SPDLOG_COMPILED_LIB FMT_HEADER_ONLY)
add_library(spdlog::spdlog ALIAS kestravel_spdlog)

if(KESTRAVEL_TESTS)
  if(NOT EXISTS /usr/src/googletest/CMakeLists.txt)
    message(FATAL_ERROR "/usr/src/googletest is missing: run scripts/install-deps windows")
  endif()
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# Windows programs built here run under Wine: tests, and the test discovery at build time. The
# Wine prefix is the build's own and is created at the first run.
if(NOT CMAKE_HOST_WIN32 AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/cmake/wine-run ${CMAKE_BINARY_DIR}/wine-prefix)
endif()

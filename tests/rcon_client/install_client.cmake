# Installs the npm packages package-lock.json pins into DESTINATION/node_modules, unless they are
# there already from the same lock file.
# Usage: cmake -DNODE=... -DNPM=... -DSOURCE=DIR -DDESTINATION=DIR -P install_client.cmake
if(NOT NODE OR NOT NPM)
  message(FATAL_ERROR "Node.js and npm are needed for the RCON client test: "
                      "scripts/install-deps installs Debian's nodejs and npm")
endif()

set(lock ${SOURCE}/package-lock.json)
set(installed ${DESTINATION}/node_modules/.package-lock.json)
if(EXISTS ${installed} AND EXISTS ${DESTINATION}/package-lock.json)
  file(SHA256 ${lock} wanted)
  file(SHA256 ${DESTINATION}/package-lock.json have)
  if(wanted STREQUAL have)
    message(STATUS "the RCON client is installed in ${DESTINATION}")
    return()
  endif()
endif()

file(MAKE_DIRECTORY ${DESTINATION})
file(COPY ${SOURCE}/package.json ${lock} DESTINATION ${DESTINATION})
# No install scripts run: the client is plain JavaScript.
execute_process(COMMAND ${NPM} ci --prefix ${DESTINATION} --ignore-scripts --no-audit --no-fund
                COMMAND_ERROR_IS_FATAL ANY)

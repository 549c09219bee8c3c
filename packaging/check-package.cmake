# Makes the Debian package into SCRATCH, as `make package` would, and has
# lintian judge it: no error and no warning.  Run by ctest
# (packaging/CMakeLists.txt):
#   cmake -DBUILD_DIR=... -DSCRATCH=... -DCPACK=... -DLINTIAN=... -P check-package.cmake

cmake_minimum_required(VERSION 3.25)

if(NOT LINTIAN OR NOT EXISTS "${LINTIAN}")
  message(FATAL_ERROR "lintian not found; scripts/install-deps.sh installs it")
endif()

# A DESTDIR in the environment would send cpack's files elsewhere.
unset(ENV{DESTDIR})
file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${CPACK}" --config "${BUILD_DIR}/CPackConfig.cmake" -B "${SCRATCH}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
file(GLOB debs "${SCRATCH}/*.deb")
list(LENGTH debs count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 1)
  message(FATAL_ERROR "cpack made ${count} package(s), exit ${rc}:\n${out}")
endif()

# Every tag is shown, down to the pedantic ones, but only errors and
# warnings fail.  No configuration of the machine's or the user's counts.
execute_process(COMMAND "${LINTIAN}" --no-cfg --display-info --pedantic
                        --fail-on error,warning "${debs}"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE errors)
message("lintian ${debs}: exit ${rc}\n${out}${errors}")
if(NOT rc EQUAL 0 OR out MATCHES "(^|\n)[EW]: ")
  message(FATAL_ERROR "lintian finds errors or warnings in the package")
endif()

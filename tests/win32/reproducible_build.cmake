# Builds the 32-bit release program again from the same sources into a scratch
# folder (another path, another time) and requires the same bytes as EXE, the
# release build's: a user can check a download against the published SHA-256.
# Run with -DSOURCE=<source folder> -DSCRATCH=<scratch folder> -DEXE=<temperament.exe>.

file(REMOVE_RECURSE "${SCRATCH}")
execute_process(COMMAND "${CMAKE_COMMAND}" --preset win32-release -B "${SCRATCH}" -DBUILD_TESTING=OFF
                WORKING_DIRECTORY "${SOURCE}" OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the scratch build does not configure (${status})")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" --build "${SCRATCH}" --target temperament OUTPUT_QUIET RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the scratch build fails (${status})")
endif()
file(SHA256 "${EXE}" first)
file(SHA256 "${SCRATCH}/temperament.exe" second)
if(NOT first STREQUAL second)
  message(FATAL_ERROR "two builds of the same sources differ:\n  ${first}  ${EXE}\n  ${second}  ${SCRATCH}/temperament.exe")
endif()
file(REMOVE_RECURSE "${SCRATCH}")
message(STATUS "two builds, the same bytes: ${first}")

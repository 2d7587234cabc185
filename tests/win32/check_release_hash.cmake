# The SHA-256 that README.md gives for the 32-bit release program must be the
# program's. Run with -DEXE=<temperament.exe> -DREADME=<README.md>.
file(SHA256 "${EXE}" actual)
file(READ "${README}" readme)
string(REGEX MATCH "SHA-256 of temperament\\.exe: ([0-9a-f]+)" line "${readme}")
if(NOT line)
  message(FATAL_ERROR "README.md gives no 'SHA-256 of temperament.exe: <hash>'")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL actual)
  message(FATAL_ERROR "README.md gives the SHA-256 ${CMAKE_MATCH_1} for temperament.exe, but it is ${actual}: "
                      "run scripts/update_release_hash.sh and commit README.md")
endif()
message(STATUS "README.md gives the program's SHA-256")

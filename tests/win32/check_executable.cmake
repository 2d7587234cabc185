# Checks the 32-bit release executable: PE32 for i386 with the GUI subsystem,
# importing nothing but Windows system DLLs, with its version record, icon and
# manifest. Run with -DEXE= -DOBJDUMP= -DWINDRES= -DVERSION=.

set(failures 0)
macro(expect what)
  if(${ARGN})
    message(STATUS "ok: ${what}")
  else()
    message(SEND_ERROR "FAIL: ${what}")
    math(EXPR failures "${failures} + 1")
  endif()
endmacro()

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}" OUTPUT_VARIABLE headers RESULT_VARIABLE status)
expect("objdump reads the executable" status EQUAL 0)
string(FIND "${headers}" "file format pei-i386" at)
expect("i386 executable" NOT at EQUAL -1)
string(REGEX MATCH "Magic[ \t]+010b[ \t]+\\(PE32\\)" magic "${headers}")
expect("PE32 (not PE32+)" magic)
string(REGEX MATCH "Subsystem[ \t]+00000002[ \t]+\\(Windows GUI\\)" subsystem "${headers}")
expect("GUI subsystem" subsystem)

# What Windows itself provides; a MinGW runtime DLL here would mean the
# program does not run on a bare system.
set(allowed kernel32.dll user32.dll gdi32.dll comctl32.dll ole32.dll oleaut32.dll msvcrt.dll advapi32.dll
            shell32.dll shlwapi.dll uxtheme.dll version.dll windowscodecs.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${headers}")
list(LENGTH imports count)
expect("the import table lists DLLs" count GREATER 0)
foreach(line IN LISTS imports)
  string(REGEX REPLACE "DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" dll)
  list(FIND allowed "${dll}" known)
  expect("imports ${dll}, a Windows system DLL" NOT known EQUAL -1)
  # OLE is loaded when the picture is first shown: importing it would load it,
  # and its dependencies, at every start.
  expect("${dll} is not OLE, which is loaded with the picture" NOT dll MATCHES "^ole(32|aut32)[.]dll$")
endforeach()

execute_process(COMMAND "${WINDRES}" -J coff -i "${EXE}" -O rc OUTPUT_VARIABLE resources RESULT_VARIABLE status)
expect("windres reads the resources" status EQUAL 0)
foreach(value IN ITEMS "\"FileVersion\", \"${VERSION}\"" "\"ProductVersion\", \"${VERSION}\""
                       "\"CompanyName\", \"www.temperament.example\"" "\"OriginalFilename\", \"temperament.exe\""
                       "BLOCK \"040204B0\"" "\"Translation\", 0x402, 1200" "FILEVERSION 1, 0, 0, 0"
                       "\"FileDescription\", L\"\\x041f" "\"LegalCopyright\"" "\"ProductName\""
                       "RT_GROUP_ICON" "\"\\040\\040\\000\\000\", 1, 8" "RT_MANIFEST"
                       "Microsoft.Windows.Common-Controls" "<dpiAware" "supportedOS")
  string(FIND "${resources}" "${value}" at)
  expect("resources hold ${value}" NOT at EQUAL -1)
endforeach()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} checks failed")
endif()

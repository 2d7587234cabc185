# Cross-building for web browsers with Debian's Emscripten (the preset web).
# emcc runs parts of itself with Node, and Debian's Node does not look for
# Debian's JavaScript modules (acorn, ...) by itself: NODE_PATH shows it where
# they are, both while CMake tries the compiler and on every compile and link.
set(node_modules /usr/share/nodejs)
set(ENV{NODE_PATH} "${node_modules}")
include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)
set(CMAKE_CXX_COMPILER_LAUNCHER env "NODE_PATH=${node_modules}")
set(CMAKE_CXX_LINKER_LAUNCHER env "NODE_PATH=${node_modules}")

# The run-time reports errors by exceptions: Emscripten would otherwise only
# throw them, never catch them. WebAssembly's own exceptions cost nothing
# until one is thrown, where Emscripten's other kind wraps every call that
# could throw in a call out to JavaScript. (They run destructors as they
# unwind main() when it hands the page to the browser: the web layer keeps
# what the page shows off that stack.) The fallback for browsers without
# them, or without WebAssembly, is the same program in plain JavaScript
# (TEMPERAMENT_WEB_FALLBACK_FOR, layers/web/CMakeLists.txt): there only
# JavaScript's exceptions can be had.
if(TEMPERAMENT_WEB_FALLBACK_FOR)
  set(exceptions -fexceptions)
else()
  set(exceptions -fwasm-exceptions)
endif()
set(CMAKE_CXX_FLAGS_INIT "${exceptions}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${exceptions}")

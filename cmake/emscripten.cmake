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
# throw them, never catch them.
set(CMAKE_CXX_FLAGS_INIT "-fexceptions")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-fexceptions")

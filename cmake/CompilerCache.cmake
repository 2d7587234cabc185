# Compilations go through ccache where it is installed, in every build: a
# second build, in this clone or in a fresh clone in another folder, compiles
# nothing that has not changed. The cache is the user's (~/.cache/ccache).
# Paths under the source folder are hashed relative to it (CCACHE_BASEDIR),
# and debug information names them relative to it too, so that a clone
# elsewhere hits the same entries. Emscripten's emcc is not a compiler ccache
# knows: it is told to run its clang through ccache instead.
option(TEMPERAMENT_CCACHE "Cache compilations with ccache, where it is installed" ON)
find_program(CCACHE_PROGRAM ccache)
if(TEMPERAMENT_CCACHE AND CCACHE_PROGRAM)
  set(ccache_environment "CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}")
  if(EMSCRIPTEN)
    # The toolchain file's launcher is "env NODE_PATH=...": the variable joins it.
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_CXX_COMPILER_LAUNCHER} ${ccache_environment}
      "EM_COMPILER_WRAPPER=${CCACHE_PROGRAM}")
  else()
    set(CMAKE_CXX_COMPILER_LAUNCHER env ${ccache_environment} "${CCACHE_PROGRAM}")
    set(CMAKE_C_COMPILER_LAUNCHER ${CMAKE_CXX_COMPILER_LAUNCHER})
  endif()
  add_compile_options("-fdebug-prefix-map=${PROJECT_SOURCE_DIR}=.")
endif()

# TEMPERAMENT_SANITIZE builds everything with AddressSanitizer and UndefinedBehaviorSanitizer.
option(TEMPERAMENT_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(TEMPERAMENT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# TEMPERAMENT_FUZZ (clang only) instruments everything for libFuzzer, with the
# same sanitizers, and builds the fuzz targets instead of the tests.
option(TEMPERAMENT_FUZZ "Build the libFuzzer targets (clang)" OFF)
if(TEMPERAMENT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TEMPERAMENT_FUZZ needs clang, not ${CMAKE_CXX_COMPILER_ID}")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

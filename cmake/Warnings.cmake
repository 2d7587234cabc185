# Strict warnings for the project's own targets; TEMPERAMENT_WERROR turns them into errors (CI does).
option(TEMPERAMENT_WERROR "Treat warnings as errors" OFF)

function(temperament_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Wunused -Woverloaded-virtual -Wnull-dereference
    -Wimplicit-fallthrough -Wformat=2)
  if(TEMPERAMENT_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# embed_files(<target> FILES <file>...)
# Builds a static library <target> that carries the bytes of the given files, so
# the program reads no file at run time. The files are found through
# temperament::ui::embeddedFiles() by their base names.
function(embed_files target)
  cmake_parse_arguments(PARSE_ARGV 1 EMBED "" "" "FILES")
  set(output "${CMAKE_CURRENT_BINARY_DIR}/${target}.cpp")
  add_custom_command(
    OUTPUT "${output}"
    COMMAND "${CMAKE_COMMAND}" "-DOUTPUT=${output}" "-DFILES=${EMBED_FILES}"
            -P "${PROJECT_SOURCE_DIR}/cmake/embed_files_script.cmake"
    DEPENDS ${EMBED_FILES} "${PROJECT_SOURCE_DIR}/cmake/embed_files_script.cmake"
    COMMENT "Embedding ${target}"
    VERBATIM)
  add_library(${target} STATIC "${output}")
  target_include_directories(${target} PUBLIC "${PROJECT_SOURCE_DIR}")
endfunction()

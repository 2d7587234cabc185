# What the scripts, the browser suite and the hand-built windows need of the
# window definition and the expected files, written out at build time by
# tests/expected_data.cpp with the program's and the tests' own readers: no
# Python, JavaScript or CMake code reads those formats itself. Included by
# each folder that needs it; the targets are made where it is first. Gives:
#   EXPECTED_DATA_JSON      the JSON file of the design and the expected trees
#                           and speech (made by the target expected_data_json,
#                           part of the build)
#   hand_built_texts(<output> qt|windows)
#                           a custom command that makes the header of the
#                           texts the hand-built windows show, from the
#                           expected screens
#   expected_readers        the library of the readers, for the tests
# In a cross build the tool runs as the build's programs do: the Windows one
# under the emulator the Windows tests set (Wine), the browser's under Node.

set(EXPECTED_DATA_JSON "${PROJECT_BINARY_DIR}/expected_data.json")
set(expected_screens_folder "${PROJECT_SOURCE_DIR}/tests/screens")
set(expected_accessibility_folder "${PROJECT_SOURCE_DIR}/tests/accessibility")
# Paths as the tool sees them: under Wine, on its Z: drive, the root.
set(expected_data_root "")
if(WIN32 AND CMAKE_CROSSCOMPILING)
  set(expected_data_root "Z:")
endif()

if(NOT TARGET expected_data)
  add_library(expected_readers STATIC "${PROJECT_SOURCE_DIR}/tests/support/screens.cpp"
    "${PROJECT_SOURCE_DIR}/tests/support/accessibility.cpp")
  target_include_directories(expected_readers PUBLIC "${PROJECT_SOURCE_DIR}/tests")
  target_link_libraries(expected_readers PUBLIC temperament_headless)
  temperament_warnings(expected_readers)

  add_executable(expected_data "${PROJECT_SOURCE_DIR}/tests/expected_data.cpp")
  target_link_libraries(expected_data PRIVATE expected_readers)
  temperament_warnings(expected_data)
  if(WIN32)
    # One file that Wine runs as it is, as every Windows program here.
    target_link_options(expected_data PRIVATE -static)
  elseif(EMSCRIPTEN)
    target_link_options(expected_data PRIVATE "SHELL:-s ENVIRONMENT=node" "SHELL:-s NODERAWFS=1"
      "SHELL:-s EXIT_RUNTIME=1" "SHELL:-s ALLOW_MEMORY_GROWTH=1"
      # The WebAssembly inside the script: Node's fetch() would not take its path.
      "SHELL:-s SINGLE_FILE=1")
  endif()

  file(GLOB expected_files CONFIGURE_DEPENDS "${expected_screens_folder}/*.screens"
    "${expected_accessibility_folder}/*.tree" "${expected_accessibility_folder}/*.speech")
  add_custom_command(OUTPUT "${EXPECTED_DATA_JSON}"
    COMMAND expected_data json "${expected_data_root}${EXPECTED_DATA_JSON}"
      "${expected_data_root}${expected_screens_folder}" "${expected_data_root}${expected_accessibility_folder}"
    DEPENDS expected_data ${expected_files}
    COMMENT "The expected data for the scripts (expected_data.json)"
    VERBATIM)
  add_custom_target(expected_data_json ALL DEPENDS "${EXPECTED_DATA_JSON}")
endif()

function(hand_built_texts output style)
  set(screens "${expected_screens_folder}/classifications.screens")
  add_custom_command(OUTPUT "${output}"
    COMMAND expected_data texts "${expected_data_root}${output}" "${style}"
      "${expected_data_root}${expected_screens_folder}"
    DEPENDS expected_data "${screens}"
    COMMENT "The hand-built window's texts, from the expected screens"
    VERBATIM)
endfunction()

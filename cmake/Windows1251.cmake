# windows1251_design_data(<input> <output>)
# Fills in @VARIABLES@ of the UTF-8 window definition <input> and writes it to
# <output> in Windows-1251, the code page of the program's design data. Its
# comments are for the people who read it: in <output> they are empty lines,
# which keep every line's number for the reader's errors and cost the
# program nothing. A character without a Windows-1251 code stops the build
# with its line. Runs when the build is configured; editing <input>
# configures it again.
find_program(ICONV iconv REQUIRED)

function(windows1251_design_data input output)
  set(utf8 "${output}.utf8")
  configure_file("${input}" "${utf8}" @ONLY)
  file(READ "${utf8}" text)
  string(REGEX REPLACE "(^|\n)[ \t]*#[^\n]*" "\\1" text "${text}")
  file(WRITE "${utf8}" "${text}")
  execute_process(
    COMMAND "${ICONV}" -f UTF-8 -t WINDOWS-1251 "${utf8}"
    OUTPUT_FILE "${output}.part"
    ERROR_VARIABLE problem
    RESULT_VARIABLE failed)
  if(failed)
    file(REMOVE "${output}.part")
    string(STRIP "${problem}" problem)
    set(where "")
    # iconv names the byte where it stopped; the filled-in text keeps the lines.
    if(problem MATCHES "position ([0-9]+)")
      file(READ "${utf8}" before LIMIT ${CMAKE_MATCH_1} HEX)
      string(REGEX MATCHALL ".." bytes "${before}")
      list(FILTER bytes INCLUDE REGEX "^0a$")
      list(LENGTH bytes line_breaks)
      math(EXPR line "${line_breaks} + 1")
      set(where ", line ${line}")
    endif()
    message(FATAL_ERROR "${input}${where}: a character that Windows-1251 cannot encode (${problem})")
  endif()
  file(COPY_FILE "${output}.part" "${output}" ONLY_IF_DIFFERENT)
  file(REMOVE "${output}.part")
endfunction()

# screen_texts_header(<output> PREFIX <string prefix> LINE_BREAK <escape>)
# Writes a header with the texts the hand-built baseline windows show, taken
# from the expected screens (tests/screens/classifications.screens), where the
# program wrote them: the first screen's caption, title, option captions and
# introduction, and the display box and the property boxes after a click on
# the second and on the third option button. So the baselines repeat no text
# of the program. PREFIX is the literals' prefix (u for Qt, L for Windows),
# LINE_BREAK the escape a line break becomes (\n for Qt, \r\n for Windows).
# Runs when the build is configured; editing the screens configures it again.
function(screen_texts_header output)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "PREFIX;LINE_BREAK" "")
  set(screens "${PROJECT_SOURCE_DIR}/tests/screens/classifications.screens")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${screens}")
  file(STRINGS "${screens}" lines ENCODING UTF-8)

  set(action_start "start")
  set(action_jung "click Option1(1)")
  set(action_pavlov "click Option1(2)")
  set(block "")
  set(in_text OFF)
  foreach(line IN LISTS lines)
    if(line MATCHES "^== (.*)$")
      set(action "${CMAKE_MATCH_1}")
      # The first screen, and the first screen after each click that matters.
      set(block "")
      foreach(wanted start jung pavlov)
        if(action STREQUAL "${action_${wanted}}" AND NOT DEFINED seen_${wanted})
          set(seen_${wanted} ON)
          set(block ${wanted})
        endif()
      endforeach()
      set(in_text OFF)
      continue()
    endif()
    if(block STREQUAL "")
      continue()
    endif()
    if(in_text AND line MATCHES "^  \\| (.*)\\\\r\\\\n$")
      string(APPEND text_${block} "${CMAKE_MATCH_1}${arg_LINE_BREAK}")
      continue()
    endif()
    set(in_text OFF)
    if(line MATCHES "^Text1\\(0\\) TextBox$")
      set(in_text ON)
      set(text_${block} "")
    elseif(line MATCHES "^Window \"(.*)\"$")
      set(caption_${block} "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^Label1\\(0\\) Label \"(.*)\"$")
      set(title_${block} "${CMAKE_MATCH_1}")
    elseif(line MATCHES "^Option1\\(([0-9])\\) OptionButton \\(.\\) \"(.*)\"$")
      set(option${CMAKE_MATCH_1}_${block} "${CMAKE_MATCH_2}")
    elseif(line MATCHES "^Check1\\(([0-9])\\) CheckBox \\[(.)\\] \"([^\"]*)\"")
      set(box${CMAKE_MATCH_1}_${block} "${CMAKE_MATCH_3}")
      if(CMAKE_MATCH_2 STREQUAL "x")
        set(checked${CMAKE_MATCH_1}_${block} true)
      else()
        set(checked${CMAKE_MATCH_1}_${block} false)
      endif()
    endif()
  endforeach()

  foreach(needed caption_start title_start option0_start option1_start option2_start text_start text_jung
                 text_pavlov box0_pavlov box1_pavlov box2_pavlov checked0_pavlov checked1_pavlov checked2_pavlov)
    if(NOT DEFINED ${needed})
      message(FATAL_ERROR "${screens}: no ${needed}")
    endif()
  endforeach()

  set(p "${arg_PREFIX}")
  file(CONFIGURE OUTPUT "${output}" @ONLY CONTENT [==[
#pragma once
// Made by the build (cmake/ScreenTexts.cmake) from the expected screens: the
// texts the program shows, for the hand-built baseline windows.

#include <array>

namespace hand_built {

inline constexpr auto caption = @p@"@caption_start@";
inline constexpr auto title = @p@"@title_start@";
inline constexpr std::array options{@p@"@option0_start@", @p@"@option1_start@", @p@"@option2_start@"};
inline constexpr auto introduction = @p@"@text_start@";
// The display box after a click on the second and on the third option button.
inline constexpr auto secondText = @p@"@text_jung@";
inline constexpr auto thirdText = @p@"@text_pavlov@";
// The property boxes the third option button shows.
inline constexpr std::array boxes{@p@"@box0_pavlov@", @p@"@box1_pavlov@", @p@"@box2_pavlov@"};
inline constexpr std::array boxesChecked{@checked0_pavlov@, @checked1_pavlov@, @checked2_pavlov@};

}  // namespace hand_built
]==])
endfunction()

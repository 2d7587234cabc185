#!/usr/bin/python3
"""Response to a click: from a real mouse button release on "Павлов" (the third
option button; the X test extension, so the program gets it from the X server
as a user's click) to the first drawing on the screen over the display box,
which now shows Pavlov's types (the X server's Damage extension reports each
rectangle drawn). Before each measured click a click on the second option
button writes another text, and the button is pressed and the screen left to
settle before the release that is timed. The windows are open side by side,
each on its own X display, and clicked in turns.

The last window is the hand-built one, which does nothing on a click on the
first option button but move the choice there: after each timed click its
first option button is clicked too, timed to the first drawing anywhere, the
toolkit's floor for a click that shows anything at all.

Usage: click_latency.py EXPECTED_DATA CLICKS LABEL DISPLAY COMMAND [LABEL DISPLAY COMMAND...]
(EXPECTED_DATA: the JSON file the build writes, see
tests/linux/drive_program.py; COMMAND: a command line, split as the shell
would). Prints one line per window, and one for the floor: "<label> <median
ms> <worst ms> <clicks>", tab-separated."""

import shlex
import statistics
import sys
import time

from x_window import Failure, ProgramWindow, centre, open_display, overlaps, read_design

QUIET = 0.03  # s without drawing: the screen has settled
PATIENCE = 10.0  # s for a click's drawing, on a busy machine


def wait_for_drawing_over(window, rect, start, what):
    """Seconds from `start` (time.perf_counter) to the first drawing that overlaps `rect`."""
    while True:
        drawn = window.next_damage(PATIENCE)
        if drawn is None:
            raise Failure(f"the display box was not redrawn within {PATIENCE:.0f} s of a click on {what}")
        if overlaps(drawn, rect):
            return time.perf_counter() - start


def timed_click(window, point, rect, what):
    """Seconds from the release of a click on `point` to the first drawing over `rect`."""
    window.press(point)
    window.settle(QUIET)
    start = time.perf_counter()
    window.release()
    elapsed = wait_for_drawing_over(window, rect, start, what)
    window.settle(QUIET)
    return elapsed


def measure(window, rect, second, third):
    window.click(second)
    wait_for_drawing_over(window, rect, time.perf_counter(), "Option1(1)")
    window.settle(QUIET)
    return timed_click(window, third, rect, "Option1(2)")


def main():
    if len(sys.argv) < 6 or (len(sys.argv) - 3) % 3 != 0 or not sys.argv[2].isdigit():
        sys.exit(__doc__)
    clicks = int(sys.argv[2])
    windows = []
    try:
        design = read_design(sys.argv[1])
        for i in range(3, len(sys.argv), 3):
            label, display, command = sys.argv[i:i + 3]
            window = ProgramWindow(shlex.split(command), open_display(display), design)
            window.settle(0.2)
            window.watch_damage()
            windows.append((label, window, []))
        first, second, third = (centre(design, f"Option1({i})") for i in range(3))
        anywhere = (0, 0, 1 << 16, 1 << 16)
        floor = []
        for click in range(clicks):
            for label, window, times in windows:
                rect = window.screen_rect(design.rect("Text1(0)"))
                try:
                    times.append(measure(window, rect, second, third))
                    if window is windows[-1][1]:
                        floor.append(timed_click(window, first, anywhere, "Option1(0)"))
                except Failure as failure:
                    raise Failure(f"{label}, click {click + 1}: {failure}") from None
        windows.append(("floor", None, floor))
    except Failure as failure:
        sys.exit(f"click_latency: {failure}")
    finally:
        for _, window, _ in windows:
            if window is not None:
                window.close()
    for label, _, times in windows:
        print(f"{label}\t{1000 * statistics.median(times):.2f}\t{1000 * max(times):.2f}\t{len(times)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""Compares, pixel for pixel, the client area of the program's window with that
of a hand-built window: the first screen, and the screen after a click on the
third option button ("Павлов"). Each program runs alone on the X display
named by DISPLAY (or --display-file), and its screen is sampled for a while:
the display box's caret blinks, so each first screen is a set of images, and
the two sets must be equal. On a difference, names how many pixels differ and
where, and saves both images (PPM) in --output.

Usage: compare_screens.py --data EXPECTED_DATA [--display-file FILE] --output DIR --program CMD --baseline CMD
(CMD: a command line, split as the shell would; EXPECTED_DATA: the JSON file
the build writes, see tests/linux/drive_program.py). Exit status 0 when equal."""

import argparse
import os
import shlex
import sys
import time

from x_window import Failure, ProgramWindow, centre, open_display, read_design

SAMPLING = 1.3  # s: more than a whole blink of the caret (on and off, 0.5 s each)


def samples(window):
    """The distinct images the client area shows for a while, in order of appearance."""
    seen = []
    deadline = time.monotonic() + SAMPLING
    while time.monotonic() < deadline:
        image = window.client_image()
        if image not in seen:
            seen.append(image)
        time.sleep(0.04)
    return seen


def screens(command, disp, design):
    window = ProgramWindow(shlex.split(command), disp, design)
    try:
        # Sampled once nothing has been drawn for a while (a busy machine may
        # draw the first screen in pieces); the caret's blinks come 0.5 s apart.
        window.watch_damage()
        window.settle(quiet=0.2)
        first = samples(window)
        window.click(centre(design, "Option1(2)"))
        window.settle(quiet=0.2)
        third = samples(window)
    finally:
        status = window.close()
    if status != 0:
        raise Failure(f"{command} ended with status {status}")
    return {"first": first, "third": third}


def difference(a, b, width):
    """The differing pixels' count and bounding box (left, top, right, bottom)
    of two images `width` pixels wide."""
    count, box = 0, None
    for i in range(0, len(a), 4):
        if a[i:i + 3] != b[i:i + 3]:
            count += 1
            x, y = (i // 4) % width, (i // 4) // width
            box = (x, y, x, y) if box is None else (min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y))
    return count, box


def save_ppm(path, image, size):
    with open(path, "wb") as out:
        out.write(b"P6 %d %d 255\n" % size)
        out.write(bytes(b for i in range(0, len(image), 4) for b in (image[i + 2], image[i + 1], image[i])))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--data", required=True, help="the expected data the build writes")
    parser.add_argument("--display-file", help="a file holding the display's name")
    parser.add_argument("--output", required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--baseline", required=True)
    arguments = parser.parse_args()
    display = os.environ.get("DISPLAY", "")
    if arguments.display_file:
        with open(arguments.display_file, encoding="ascii") as named:
            display = named.read().strip()
    if not display:
        sys.exit("compare_screens: no X display (DISPLAY or --display-file)")
    os.makedirs(arguments.output, exist_ok=True)

    disp = open_display(display)
    try:
        design = read_design(arguments.data)
        ours = screens(arguments.program, disp, design)
        theirs = screens(arguments.baseline, disp, design)
    except Failure as failure:
        sys.exit(f"compare_screens: {failure}")

    equal = True
    for name, images in ours.items():
        title = "the first screen" if name == "first" else "the screen after a click on Option1(2)"
        others = theirs[name]
        if sorted(images) == sorted(others):
            print(f"{title}: equal ({len(images)} image(s) while sampling)")
            continue
        equal = False
        # The closest pair tells what differs.
        count, box, pair = min(((*difference(a, b, design.size[0]), (i, j)) for i, a in enumerate(images)
                                for j, b in enumerate(others)), key=lambda found: found[0])
        stem = os.path.join(arguments.output, name)
        save_ppm(stem + "-program.ppm", images[pair[0]], design.size)
        save_ppm(stem + "-baseline.ppm", others[pair[1]], design.size)
        print(f"{title}: {len(images)} image(s) of the program, {len(others)} of the baseline; the closest two "
              f"differ in {count} pixel(s) within x {box[0]}..{box[2]}, y {box[1]}..{box[3]} "
              f"(saved as {stem}-*.ppm)" if count else
              f"{title}: the program showed {len(images)} image(s), the baseline {len(others)}; "
              f"one is common, the rest differ (the caret's blink not caught?)")
    return 0 if equal else 1


if __name__ == "__main__":
    sys.exit(main())

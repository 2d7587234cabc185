"""A program's window on an X display, seen from outside as the user sees it:
started, found by its caption, its client area read back, clicked with the X
test extension, and closed as a window manager closes it. Works alike for the
Qt program, whose X window is its client area, and a Windows program under
Wine, whose X window also holds the frame and caption Wine draws around it.
Used by compare_screens.py and click_latency.py (/usr/bin/python3, with
python3-xlib)."""

import os
import select
import subprocess
import sys
import time

try:
    from Xlib import X
    from Xlib.ext import damage, xtest
except ImportError:
    sys.exit("python3-xlib is needed (scripts/setup.sh benchmarks)")

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "linux"))
from drive_program import Design, Failure, ask_to_close, find_window, read_expected_data, wait_until  # noqa: E402


def read_design(path):
    """The window's design from the expected data the build writes (see
    tests/linux/drive_program.py)."""
    return Design(read_expected_data(path))


def centre(design, name):
    left, top, width, height = design.rect(name)
    return (left + width // 2, top + height // 2)


class ProgramWindow:
    """Starts `command` on the display `disp` (an Xlib Display, kept open by the
    caller: Xvfb resets itself when its last client leaves) and waits for the
    window of `design`."""

    def __init__(self, command, disp, design, patience=60.0):
        self.disp = disp
        self.design = design
        display_name = disp.get_display_name()
        self.root = self.disp.screen().root
        # The pointer out of the way: a control under it may show it.
        xtest.fake_input(self.disp, X.MotionNotify, x=0, y=0)
        self.disp.sync()
        environment = dict(os.environ, DISPLAY=display_name)
        self.process = subprocess.Popen(command, env=environment, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.patience = patience
        self.damage = None
        self.window = self._wait_for("its window to be shown", lambda: find_window(self.disp, design.title))
        geometry = self.window.get_geometry()
        # Wine draws the frame inside the X window: the same border left,
        # right and below, the caption above.
        border = (geometry.width - design.size[0]) // 2
        top = geometry.height - design.size[1] - border
        if border < 0 or top < 0:
            raise Failure(f"the window is {geometry.width} x {geometry.height}, smaller than its client area")
        at = self.root.translate_coords(self.window, border, top)
        self.origin = (at.x, at.y)

    def _wait_for(self, what, condition):
        return wait_until(self.process, self.process.args[-1], what, condition, self.patience)

    def client_image(self):
        """The client area's pixels, as the X server holds them (BGRX rows)."""
        return self.root.get_image(self.origin[0], self.origin[1], *self.design.size, X.ZPixmap, 0xFFFFFFFF).data

    def screen_rect(self, rect):
        left, top, width, height = rect
        return (self.origin[0] + left, self.origin[1] + top, width, height)

    def press(self, point):
        xtest.fake_input(self.disp, X.MotionNotify, x=self.origin[0] + point[0], y=self.origin[1] + point[1])
        xtest.fake_input(self.disp, X.ButtonPress, 1)
        self.disp.sync()

    def release(self):
        xtest.fake_input(self.disp, X.ButtonRelease, 1)
        self.disp.flush()

    def click(self, point):
        self.press(point)
        xtest.fake_input(self.disp, X.ButtonRelease, 1)
        self.disp.sync()

    def watch_damage(self):
        """From now on the X server reports every rectangle drawn on the screen."""
        self.disp.damage_query_version()
        self.damage = self.root.damage_create(damage.DamageReportRawRectangles)
        self.disp.sync()

    def next_damage(self, timeout):
        """The next drawn rectangle (x, y, width, height) on the screen, or None after `timeout` s."""
        deadline = time.perf_counter() + timeout
        while True:
            while self.disp.pending_events():
                notice = self.disp.next_event()
                if notice.type == self.disp.extension_event.DamageNotify:
                    area = notice.area
                    return (area.x + notice.drawable_geometry.x, area.y + notice.drawable_geometry.y,
                            area.width, area.height)
            left = deadline - time.perf_counter()
            if left <= 0:
                return None
            select.select([self.disp.fileno()], [], [], left)
            self.disp.pending_events()  # reads what arrived

    def settle(self, quiet=0.03, limit=2.0):
        """Waits until nothing is drawn for `quiet` s (at most `limit` s)."""
        deadline = time.perf_counter() + limit
        while time.perf_counter() < deadline and self.next_damage(quiet) is not None:
            pass

    def close(self):
        ask_to_close(self.disp, self.window)
        if self.damage is not None:
            self.disp.damage_destroy(self.damage)
            self.damage = None
        try:
            self.process.wait(timeout=self.patience)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        return self.process.returncode


def open_display(name):
    from Xlib import display as xdisplay
    return xdisplay.Display(name)


def overlaps(a, b):
    return a[0] < b[0] + b[2] and b[0] < a[0] + a[2] and a[1] < b[1] + b[3] and b[1] < a[1] + a[3]

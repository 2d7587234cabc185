#!/usr/bin/python3
"""Runs the Linux program as a user would on a virtual X display of its own.

Usage: drive_program.py SCRATCH_DIR COMMAND [ARG...]

Starts Xvfb and a session bus of its own, then COMMAND (the program, possibly
under valgrind or strace) with a scratch home and XDG folders under
SCRATCH_DIR, so nothing of the machine's user leaks in. The session bus offers
no services, as on a desktop without assistive technologies: the program's
accessibility stays off. fontconfig's caches are brought up to date first, so
a stale one is not rebuilt by the program. Clicks through every classification and the property boxes
with the X test extension, at the controls' places in the window design, and
checks on screen that each click was taken. Then closes the window as a window
manager does (WM_DELETE_WINDOW) and exits with COMMAND's exit status; on any
other failure it stops the program and exits with 2.
"""

import contextlib
import os
import shutil
import subprocess
import sys
import time

try:
    from Xlib import X, XK, display as xdisplay
    from Xlib.ext import xtest
    from Xlib.protocol import event
except ImportError:
    sys.exit("drive_program: python3-xlib is needed (scripts/setup.sh tests)")

DESIGN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "ui", "MainForm.form")
TWIPS_PER_PIXEL = 15


def read_design(path):
    """The window's settings and each control's, from the window definition:
    {"MainForm": {...}, "Option1(0)": {"Left": 3480, ...}, ...}. Numbers are
    ints (0x... colours too), texts strings without their quotes."""
    design, current = {}, []
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            if words[0] == "Begin":
                current.append(words[2])
                design[words[2]] = {}
            elif words[0] == "End":
                current.pop()
            elif len(words) >= 3 and words[1] == "=" and current:
                value = line.split("=", 1)[1].strip()
                if value.startswith('"'):
                    design[current[-1]][words[0]] = value.strip('"')
                elif value.lstrip("-").isdigit() or value.startswith("0x"):
                    design[current[-1]][words[0]] = int(value, 0)
    return design


def pixels(twips):
    return round(twips / TWIPS_PER_PIXEL)


def top_left(control):
    return (pixels(control["Left"]), pixels(control["Top"]))


def rgb(bgr):
    return (bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF)


_design = read_design(DESIGN)
TITLE = _design["MainForm"]["Caption"].split("  ", 1)[-1]
WINDOW_SIZE = (pixels(_design["MainForm"]["ClientWidth"]), pixels(_design["MainForm"]["ClientHeight"]))
FORM = rgb(_design["MainForm"]["BackColor"])
OPTION = rgb(_design["Option1(0)"]["BackColor"])
BOX = rgb(_design["Check1(0)"]["BackColor"])
OPTIONS = [top_left(_design[f"Option1({i})"]) for i in range(3)]
BOXES = [top_left(_design[f"Check1({i})"]) for i in range(3)]
_picture = _design["Picture1"]
PICTURE_PROBES = [(pixels(_picture["Left"] + _picture["Width"] * fx), pixels(_picture["Top"] + _picture["Height"] * fy))
                  for fx, fy in ((0.2, 0.2), (0.5, 0.45), (0.8, 0.7), (0.25, 0.8))]
# Generous: under valgrind the program starts and repaints many times slower.
PATIENCE = 300.0


class Failure(Exception):
    pass


def read_steps(path):
    """[(action, [lines])] of a scenario file (tests/screens, tests/accessibility):
    each step an '== <action>' line and the lines after it; '#' lines and
    empty lines are comments."""
    steps = []
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\n")
            if line.startswith("#") or not line.strip():
                continue
            if line.startswith("== "):
                steps.append((line[3:], []))
            elif not steps:
                raise Failure(f"{path}:{number}: a line before the first '== <action>'")
            else:
                steps[-1][1].append(line)
    return steps


def start_xvfb():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
        pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as announced:
        number = announced.readline().strip()
    if not number:
        server.kill()
        raise Failure("Xvfb did not start")
    return server, ":" + number


SESSION_BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path={socket}</listen>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
"""


def start_session_bus(scratch):
    config = os.path.join(scratch, "session-bus.conf")
    with open(config, "w", encoding="utf-8") as out:
        out.write(SESSION_BUS_CONFIG.format(socket=os.path.join(scratch, "runtime", "bus")))
    bus = subprocess.Popen(["dbus-daemon", "--config-file=" + config, "--nofork", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    address = bus.stdout.readline().strip()
    if not address:
        bus.kill()
        raise Failure("the session bus did not start")
    return bus, address


BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"


def start_accessibility_bus(env, patience=60.0):
    """The accessibility bus of at-spi2-core, as a desktop session starts it,
    on the session bus of `env`; returned once it is registered there: the
    program, pyatspi and Orca look it up there once, when they start."""
    from gi.repository import Gio, GLib

    launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
    bus = Gio.DBusConnection.new_for_address_sync(env["DBUS_SESSION_BUS_ADDRESS"], flags, None, None)
    try:
        def registered():
            owned = bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                  "NameHasOwner", GLib.Variant("(s)", ("org.a11y.Bus",)), None,
                                  Gio.DBusCallFlags.NONE, -1, None)
            return owned.unpack()[0]
        wait_until(launcher, "the accessibility bus launcher", "the accessibility bus", registered, patience)
        return launcher
    except BaseException:
        launcher.terminate()
        launcher.wait()
        raise
    finally:
        bus.close_sync(None)


def scratch_environment(scratch, display_name):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("XDG_", "DBUS_", "QT_", "WAYLAND_", "AT_SPI")) and k not in ("DISPLAY", "HOME")}
    shutil.rmtree(scratch, ignore_errors=True)
    for sub in ("home", "config", "cache", "data", "runtime"):
        os.makedirs(os.path.join(scratch, sub), mode=0o700)
    env.update(HOME=os.path.join(scratch, "home"),
               XDG_CONFIG_HOME=os.path.join(scratch, "config"),
               XDG_CACHE_HOME=os.path.join(scratch, "cache"),
               XDG_DATA_HOME=os.path.join(scratch, "data"),
               XDG_RUNTIME_DIR=os.path.join(scratch, "runtime"),
               DISPLAY=display_name,
               QT_QPA_PLATFORM="xcb")
    return env


def wait_until(process, name, what, condition, patience):
    """condition()'s first true value, asked every 50 ms for `patience` seconds
    while `process` (called `name`) runs."""
    deadline = time.monotonic() + patience
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise Failure(f"{name} ended with status {process.returncode} while waiting for {what}")
        found = condition()
        if found:
            return found
        time.sleep(0.05)
    raise Failure(f"waited {patience:.0f} s for {what}")


def press_key(disp, name):
    """A key as the keyboard sends it, with its modifiers: "Tab", "Space",
    "Shift+Tab"."""
    codes = []
    for key in name.split("+"):
        keysym = XK.string_to_keysym(key) or XK.string_to_keysym(key.lower()) or XK.string_to_keysym(key + "_L")
        code = disp.keysym_to_keycode(keysym)
        if code == 0:
            raise Failure(f"no key {key}")
        codes.append(code)
    for code in codes:
        xtest.fake_input(disp, X.KeyPress, code)
    for code in reversed(codes):
        xtest.fake_input(disp, X.KeyRelease, code)
    disp.sync()


def find_window(disp, title=TITLE):
    """The shown top-level X window whose caption holds `title`, or None."""
    net_name = disp.intern_atom("_NET_WM_NAME")
    utf8 = disp.intern_atom("UTF8_STRING")
    for child in disp.screen().root.query_tree().children:
        try:
            if child.get_attributes().map_state != X.IsViewable:
                continue
            name = child.get_full_property(net_name, utf8)
        except Exception:  # the window went away while we looked at it
            continue
        if name is not None and title in name.value.decode("utf-8", "replace"):
            return child
    return None


def ask_to_close(disp, window):
    """Closes `window` as a window manager does: WM_DELETE_WINDOW."""
    protocols = disp.intern_atom("WM_PROTOCOLS")
    delete = disp.intern_atom("WM_DELETE_WINDOW")
    message = event.ClientMessage(window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0]))
    window.send_event(message, event_mask=X.NoEventMask)
    disp.sync()


class Window:
    def __init__(self, disp, program):
        self.disp = disp
        self.root = disp.screen().root
        self.program = program
        self.window = self.wait_for("the program's window to be shown", lambda: find_window(disp))
        geometry = self.window.get_geometry()
        if (geometry.width, geometry.height) != WINDOW_SIZE:
            raise Failure(f"the window is {geometry.width} x {geometry.height}, not {WINDOW_SIZE[0]} x {WINDOW_SIZE[1]}")
        origin = self.root.translate_coords(self.window, 0, 0)
        self.origin = (origin.x, origin.y)

    def wait_for(self, what, condition):
        return wait_until(self.program, "the program", what, condition, PATIENCE)

    def colour(self, point):
        x, y = self.origin[0] + point[0], self.origin[1] + point[1]
        pixel = self.root.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF).data
        return (pixel[2], pixel[1], pixel[0])  # stored blue, green, red, pad

    def shows(self, what, point, colour, expected=True):
        self.wait_for(what, lambda: (self.colour(point) == colour) == expected)

    def click(self, point):
        x, y = self.origin[0] + point[0], self.origin[1] + point[1]
        xtest.fake_input(self.disp, X.MotionNotify, x=x, y=y)
        xtest.fake_input(self.disp, X.ButtonPress, 1)
        xtest.fake_input(self.disp, X.ButtonRelease, 1)
        self.disp.sync()

    def close(self):
        ask_to_close(self.disp, self.window)


@contextlib.contextmanager
def focused_program(program_path, env, disp):
    """Starts the program and yields (program, Window) with the keyboard given
    to its window, as a window manager would (the display has none). When the
    block is left, the window is closed and the program must end with status
    0; after a failure it is stopped."""
    program = subprocess.Popen([program_path], env=env, stdin=subprocess.DEVNULL)
    try:
        window = Window(disp, program)
        window.window.set_input_focus(X.RevertToParent, X.CurrentTime)
        disp.sync()
        yield program, window
        window.close()
        status = program.wait(timeout=PATIENCE)
        if status != 0:
            raise Failure(f"the program ended with status {status}")
    finally:
        if program.poll() is None:
            program.kill()
            program.wait()


def box_place(i):
    # The right end of the box, away from its indicator and caption.
    return (BOXES[i][0] + 100, BOXES[i][1] + 3)


def box_click(i):
    return (BOXES[i][0] + 8, BOXES[i][1] + 12)


def option_click(i):
    return (OPTIONS[i][0] + 8, OPTIONS[i][1] + 9)


def picture_shown(window):
    return any(window.colour(p) != FORM for p in PICTURE_PROBES)


def drive(window):
    w = window
    w.shows("the first screen to be painted", (OPTIONS[0][0] + 85, OPTIONS[0][1] + 2), OPTION)
    if picture_shown(w):
        raise Failure("the picture is shown before any classification is chosen")

    w.click(option_click(0))
    w.wait_for("Hippocrates' picture", lambda: picture_shown(w))
    w.click(option_click(1))
    w.wait_for("Jung's screen, without the picture", lambda: not picture_shown(w))
    w.click(option_click(2))
    for i in range(3):
        w.shows(f"Pavlov's property box {i + 1}", box_place(i), BOX)

    w.click(box_click(2))  # mobile -> slow: only the caption changes
    w.click(box_click(1))  # unbalanced: mobility no longer applies
    w.shows("box 3 hidden", box_place(2), BOX, expected=False)
    w.click(box_click(0))  # weak: balance no longer applies
    w.shows("box 2 hidden", box_place(1), BOX, expected=False)
    w.click(box_click(0))  # strong again
    w.shows("box 2 shown again", box_place(1), BOX)
    w.click(box_click(1))  # balanced again
    w.shows("box 3 shown again", box_place(2), BOX)
    w.click(box_click(2))
    w.click(option_click(0))
    w.shows("the boxes hidden with Hippocrates", box_place(0), BOX, expected=False)
    w.wait_for("Hippocrates' picture again", lambda: picture_shown(w))
    print("drove every classification and the property boxes", flush=True)


def main():
    if len(sys.argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    scratch, command = sys.argv[1], sys.argv[2:]
    server, display_name = start_xvfb()
    program = None
    bus = None
    try:
        env = scratch_environment(scratch, display_name)
        bus, env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(scratch)
        subprocess.run(["fc-cache"], env=env, check=True)
        program = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL)
        disp = xdisplay.Display(display_name)
        window = Window(disp, program)
        drive(window)
        window.close()
        status = program.wait(timeout=PATIENCE)
        print(f"the program ended with status {status}", flush=True)
        return status
    except (Failure, OSError, subprocess.SubprocessError) as failure:
        print(f"drive_program: {failure}", file=sys.stderr)
        return 2
    finally:
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        for helper in (bus, server):
            if helper is not None:
                helper.terminate()
                helper.wait()


if __name__ == "__main__":
    sys.exit(main())

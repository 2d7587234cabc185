#!/usr/bin/python3
"""Runs the Linux program as a user would, on the X display that DISPLAY names
(a virtual one: benchmarks/on_virtual_display.sh).

Usage: drive_program.py EXPECTED_DATA SCRATCH_DIR COMMAND [ARG...]

EXPECTED_DATA is the JSON file the build writes (expected_data.json, made by
tests/expected_data.cpp): the window's design, read by the program's own
reader. Starts a session bus of its own, then COMMAND (the program, possibly
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
import json
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

TWIPS_PER_PIXEL = 15


class Failure(Exception):
    pass


def pixels(twips):
    return round(twips / TWIPS_PER_PIXEL)


def rgb(bgr):
    return (bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF)


def read_expected_data(path):
    """The expected data the build writes: {"design": ..., "errorReport": ...,
    "trees": {file: [{"action", "tree"}]}, "speech": {file: [{"action", "said"}]}}."""
    try:
        with open(path, encoding="utf-8") as data:
            return json.load(data)
    except (OSError, ValueError) as error:
        raise Failure(f"{path}: {error} (the build writes it: target expected_data_json)") from None


class Design:
    """The window as the program builds it from its design data, in pixels at
    96 DPI and colours as (red, green, blue)."""

    def __init__(self, expected_data):
        window = expected_data["design"]
        self.controls = window["controls"]
        # The caption after the publisher's address: what finds the window.
        self.title = window["caption"].split("  ", 1)[-1]
        self.size = (pixels(window["clientWidth"]), pixels(window["clientHeight"]))
        self.colour = rgb(window["backColor"])

    def rect(self, member):
        """(left, top, width, height) of a control."""
        control = self.controls[member]
        return tuple(pixels(control[key]) for key in ("left", "top", "width", "height"))

    def top_left(self, member):
        return self.rect(member)[:2]

    def colour_of(self, member):
        return rgb(self.controls[member]["backColor"])


# Generous: under valgrind the program starts and repaints many times slower.
PATIENCE = 300.0


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


def find_window(disp, title):
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
    def __init__(self, disp, program, design):
        self.disp = disp
        self.root = disp.screen().root
        self.program = program
        self.design = design
        self.window = self.wait_for("the program's window to be shown", lambda: find_window(disp, design.title))
        geometry = self.window.get_geometry()
        if (geometry.width, geometry.height) != design.size:
            raise Failure(f"the window is {geometry.width} x {geometry.height}, not {design.size[0]} x {design.size[1]}")
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
def focused_program(program_path, env, disp, design):
    """Starts the program and yields (program, Window) with the keyboard given
    to its window, as a window manager would (the display has none). When the
    block is left, the window is closed and the program must end with status
    0; after a failure it is stopped."""
    program = subprocess.Popen([program_path], env=env, stdin=subprocess.DEVNULL)
    try:
        window = Window(disp, program, design)
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


def box_place(design, i):
    # The right end of the box, away from its indicator and caption.
    left, top = design.top_left(f"Check1({i})")
    return (left + 100, top + 3)


def box_click(design, i):
    left, top = design.top_left(f"Check1({i})")
    return (left + 8, top + 12)


def option_click(design, i):
    left, top = design.top_left(f"Option1({i})")
    return (left + 8, top + 9)


def picture_shown(window):
    left, top, width, height = window.design.rect("Picture1")
    probes = [(left + round(width * fx), top + round(height * fy))
              for fx, fy in ((0.2, 0.2), (0.5, 0.45), (0.8, 0.7), (0.25, 0.8))]
    return any(window.colour(p) != window.design.colour for p in probes)


def drive(window):
    w = window
    design = w.design
    box = design.colour_of("Check1(0)")
    option = design.top_left("Option1(0)")
    w.shows("the first screen to be painted", (option[0] + 85, option[1] + 2), design.colour_of("Option1(0)"))
    if picture_shown(w):
        raise Failure("the picture is shown before any classification is chosen")

    w.click(option_click(design, 0))
    w.wait_for("Hippocrates' picture", lambda: picture_shown(w))
    w.click(option_click(design, 1))
    w.wait_for("Jung's screen, without the picture", lambda: not picture_shown(w))
    w.click(option_click(design, 2))
    for i in range(3):
        w.shows(f"Pavlov's property box {i + 1}", box_place(design, i), box)

    w.click(box_click(design, 2))  # mobile -> slow: only the caption changes
    w.click(box_click(design, 1))  # unbalanced: mobility no longer applies
    w.shows("box 3 hidden", box_place(design, 2), box, expected=False)
    w.click(box_click(design, 0))  # weak: balance no longer applies
    w.shows("box 2 hidden", box_place(design, 1), box, expected=False)
    w.click(box_click(design, 0))  # strong again
    w.shows("box 2 shown again", box_place(design, 1), box)
    w.click(box_click(design, 1))  # balanced again
    w.shows("box 3 shown again", box_place(design, 2), box)
    w.click(box_click(design, 2))
    w.click(option_click(design, 0))
    w.shows("the boxes hidden with Hippocrates", box_place(design, 0), box, expected=False)
    w.wait_for("Hippocrates' picture again", lambda: picture_shown(w))
    print("drove every classification and the property boxes", flush=True)


def current_display():
    """The display to run on: DISPLAY's, which a virtual display sets."""
    name = os.environ.get("DISPLAY", "")
    if not name:
        raise Failure("no X display: run this on a virtual one (benchmarks/on_virtual_display.sh)")
    return name


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    data, scratch, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    program = None
    bus = None
    try:
        design = Design(read_expected_data(data))
        env = scratch_environment(scratch, current_display())
        bus, env["DBUS_SESSION_BUS_ADDRESS"] = start_session_bus(scratch)
        subprocess.run(["fc-cache"], env=env, check=True)
        program = subprocess.Popen(command, env=env, stdin=subprocess.DEVNULL)
        disp = xdisplay.Display(env["DISPLAY"])
        window = Window(disp, program, design)
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
        if bus is not None:
            bus.terminate()
            bus.wait()


if __name__ == "__main__":
    sys.exit(main())

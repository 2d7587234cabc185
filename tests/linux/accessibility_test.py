#!/usr/bin/python3
"""What a screen reader on Linux finds in the running program, through AT-SPI.

Usage: accessibility_test.py EXPECTED_DATA PROGRAM SCRATCH_DIR

Starts the program on the X display DISPLAY names (a virtual one:
benchmarks/on_virtual_display.sh) with a private session bus, on which the
accessibility bus (at-spi-bus-launcher) runs, and with Qt's accessibility
bridge on (QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1). Then plays each scenario of
expected accessibility trees (tests/accessibility/*.tree, as the build's
EXPECTED_DATA holds them, see drive_program.py) from a fresh start: keys and
mouse clicks through the X test extension, the controls' accessible actions
through AT-SPI, and after each step reads the window's tree with pyatspi as a
screen reader does (roles, names, states, the display box's text through the
Text interface) and compares it with the expected one. Prints a diff and
exits 1 on a difference, 2 on any other failure; closes the program and
requires its exit status 0.
"""

import difflib
import os
import subprocess
import sys
import time

import drive_program as session

try:
    from Xlib import X, display as xdisplay
    from Xlib.ext import xtest
except ImportError:
    sys.exit("accessibility_test: python3-xlib is needed (scripts/setup.sh tests)")

PATIENCE = 20.0  # seconds for a step's tree to appear; it normally takes milliseconds


class Tree:
    """The program's window as AT-SPI shows it."""

    ROLES = None  # filled once pyatspi is imported

    def __init__(self, atspi, title, pid):
        self.atspi = atspi
        self.title = title
        self.pid = pid  # the registry may still list the window of the previous start
        Tree.ROLES = {
            atspi.ROLE_FRAME: "window", atspi.ROLE_LABEL: "label", atspi.ROLE_IMAGE: "image",
            atspi.ROLE_RADIO_BUTTON: "radio", atspi.ROLE_CHECK_BOX: "check", atspi.ROLE_TEXT: "text",
        }

    def frame(self):
        desktop = self.atspi.Registry.getDesktop(0)
        for application in desktop:
            try:
                if application is None or application.get_process_id() != self.pid:
                    continue
            except Exception:  # an application that went away while being asked
                continue
            for window in application:
                if window is not None and window.name.endswith(self.title):
                    return window
        return None

    def shown(self):
        """The window's children a user can see, in reading order."""
        frame = self.frame()
        if frame is None:
            return None, []
        children = []
        for child in frame:
            if child is not None and child.getState().contains(self.atspi.STATE_SHOWING):
                extents = child.queryComponent().getExtents(self.atspi.DESKTOP_COORDS)
                children.append(((extents.y, extents.x), child))
        children.sort(key=lambda item: item[0])
        return frame, [child for _, child in children]

    def describe(self, accessible):
        role = self.ROLES.get(accessible.getRole(), accessible.getRoleName())
        states = accessible.getState()
        line = f'{role} "{accessible.name}"'
        for state, word in ((self.atspi.STATE_CHECKED, "checked"), (self.atspi.STATE_FOCUSED, "focused"),
                            (self.atspi.STATE_READ_ONLY, "read-only")):
            if states.contains(state):
                line += " " + word
        lines = [line]
        if role == "text":
            text = accessible.queryText()
            content = text.getText(0, text.characterCount)
            lines += [f'  | "{paragraph}"' for paragraph in content.split("\n")[:-1 if content.endswith("\n") else None]]
        return lines

    def read(self):
        frame, children = self.shown()
        if frame is None:
            return ["(no window)"]
        lines = self.describe(frame)  # its role too: a frame, as the application's window is
        for child in children:
            lines += self.describe(child)
        return lines

    def named(self, name):
        deadline = time.monotonic() + PATIENCE
        while time.monotonic() < deadline:
            try:
                _, children = self.shown()
                for child in children:
                    if child.name == name:
                        return child
            except Exception:  # an object went away while being read: read again
                pass
            time.sleep(0.05)
        raise session.Failure(f'no control named "{name}" is shown')


def click(disp, atspi, accessible):
    # On the indicator, where a user aims.
    extents = accessible.queryComponent().getExtents(atspi.DESKTOP_COORDS)
    xtest.fake_input(disp, X.MotionNotify, x=extents.x + 8, y=extents.y + extents.height // 2)
    xtest.fake_input(disp, X.ButtonPress, 1)
    xtest.fake_input(disp, X.ButtonRelease, 1)
    disp.sync()


def act(atspi, accessible, name):
    actions = accessible.queryAction()
    for index in range(actions.nActions):
        if actions.getName(index) == name:
            actions.doAction(index)
            return
    offered = [actions.getName(i) for i in range(actions.nActions)]
    raise session.Failure(f'"{accessible.name}" offers no action {name}, only {offered}')


def wait_for_tree(tree, program, expected):
    deadline = time.monotonic() + PATIENCE
    found = []
    while time.monotonic() < deadline:
        if program.poll() is not None:
            raise session.Failure(f"the program ended with status {program.returncode}")
        try:
            found = tree.read()
        except Exception as error:  # an object went away while being read: read again
            found = [f"(unreadable: {error})"]
        if found == expected:
            return None
        time.sleep(0.05)
    return found


def play(name, steps, atspi, program_path, env, disp, design):
    """Runs one scenario from a fresh start of the program; False when a tree differs."""
    with session.focused_program(program_path, env, disp, design) as (program, _):
        tree = Tree(atspi, design.title, program.pid)
        for step in steps:
            expected = step["tree"]
            if step["do"] == "key":
                session.press_key(disp, step["key"])
            elif step["do"] == "click":
                click(disp, atspi, tree.named(step["name"]))
            elif step["do"] in ("toggle", "press"):
                act(atspi, tree.named(step["name"]), step["do"].capitalize())
            found = wait_for_tree(tree, program, expected)
            if found is not None:
                print(f"{name}: after '{step['action']}':")
                sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                    expected, found, "expected", "found", lineterm=""))
                return False  # the next steps would start from another state
    return True

def main():
    if len(sys.argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    data, program, scratch = sys.argv[1:]
    helpers = []
    try:
        expected = session.read_expected_data(data)
        design, trees = session.Design(expected), expected["trees"]
        if not trees:
            raise session.Failure(f"{data} holds no expected tree")
        env = session.scratch_environment(scratch, session.current_display())
        bus, env["DBUS_SESSION_BUS_ADDRESS"] = session.start_session_bus(scratch)
        helpers.insert(0, bus)
        helpers.insert(0, session.start_accessibility_bus(env))
        os.environ.update({k: env[k] for k in ("DBUS_SESSION_BUS_ADDRESS", "DISPLAY", "XDG_RUNTIME_DIR")})
        import pyatspi  # finds the accessibility bus through the session bus when imported

        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        disp = xdisplay.Display(env["DISPLAY"])
        failed = 0
        for name, steps in sorted(trees.items()):
            passed = play(name, steps, pyatspi, program, env, disp, design)
            failed += not passed
            print(f"{name}: {'as expected' if passed else 'differs'}", flush=True)
        print(f"{len(trees) - failed} passed, {failed} failed")
        return 1 if failed else 0
    except (session.Failure, OSError, subprocess.SubprocessError) as failure:
        print(f"accessibility_test: {failure}", file=sys.stderr)
        return 2
    finally:
        for helper in helpers:
            helper.terminate()
            helper.wait()


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/python3
"""What a blind user hears: the running program read aloud by Orca.

Usage: orca_test.py EXPECTED_DATA PROGRAM SCRATCH_DIR [--write REMAKE FOLDER]

Starts, on the X display DISPLAY names (a virtual one:
benchmarks/on_virtual_display.sh), with a private session bus and the
accessibility bus (as accessibility_test.py does), speech-dispatcher, whose
one output module writes every utterance as a line of a file instead of
speaking it, and Debian's Orca with its own settings folder: its defaults,
but no braille display, no sounds and no key echo (the names of the keys
pressed are Orca's words, not the program's, and whether it says "left
shift" depends on timing). Once Orca has said that it is on, starts the
program, gives its window the keyboard and, for each expected speech
(tests/accessibility/*.speech, as the build's EXPECTED_DATA holds it, see
drive_program.py), plays the keys of its steps through the X test extension.
After each step it waits until Orca has said, since that step, what the
speech expects, and fails with a diff when Orca has said something else or
not all of it within a patient while. Exits 1 on a difference, 2 on any
other failure; closes the program and requires its exit status 0.

With --write it expects nothing: after each step it keeps what Orca says
until Orca has been quiet for a while, and has the tool REMAKE
(tests/remake_expected.cpp) write it into the speech file of that name in
FOLDER, for review in git diff. On a busy machine Orca may be slower than
that while: play the check after.

Orca runs in English (C.UTF-8), the language the expected speech is written
in. /usr/bin/orca refuses to start while any other Orca of the same user
runs, on any display (pgrep -x orca), and its --replace kills that one: this
test starts Orca's module itself, under the name python3, so neither a
user's own screen reader nor this test disturbs the other.
"""

import difflib
import importlib.util
import os
import shutil
import subprocess
import sys
import time

import drive_program as session

try:
    from Xlib import display as xdisplay
except ImportError:
    sys.exit("orca_test: python3-xlib is needed (scripts/setup.sh tests)")
if importlib.util.find_spec("orca") is None or shutil.which("speech-dispatcher") is None:
    sys.exit("orca_test: Orca and speech-dispatcher are needed (scripts/setup.sh tests)")

# Orca normally speaks within a fraction of a second; on a busy machine it
# and speech-dispatcher can take many seconds, most of all when starting.
PATIENCE = 60.0
START_PATIENCE = 180.0
QUIET = 3.0  # seconds without a word: Orca has said all it says after a step (--write)
READY = "Screen reader on."  # what Orca says once it listens

SPEECHD_CONFIG = """\
AddModule "file" "sd_generic" "file.conf"
DefaultModule file
DefaultLanguage "en"
# The generic module opens an audio output even though its command makes no
# sound: libao's null driver (chosen in $HOME/.libao) plays nothing.
AudioOutputMethod "libao"
"""
# One line per utterance: "^" never occurs in what Orca says, so the module
# never splits a message at its sentences.
MODULE_CONFIG = """\
GenericExecuteSynth "printf '%s\\\\n' \\'$DATA\\' >> {log}"
GenericDelimiters "^"
GenericMaxChunkLength 100000
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "en"
"""
ORCA = """
import sys
from orca import orca
settings = orca.getSettingsManager()
settings.activate(sys.argv[1], {"enableBraille": False, "enableSound": False, "enableKeyEcho": False})
sys.path.insert(0, settings.getPrefsDir())
sys.exit(orca.main())
"""


class Speech:
    """What Orca has said so far: the utterances speech-dispatcher wrote."""

    def __init__(self, path):
        self.path = path

    def said(self):
        try:
            with open(self.path, encoding="utf-8") as log:
                text = log.read()
        except FileNotFoundError:
            return []
        return text.split("\n")[:-1]  # a line still being written is not said yet

    def wait_for(self, since, expected, running, patience):
        """The utterances after the first `since` once they are `expected`,
        or as they are when `patience` runs out; fails when a helper ends."""
        deadline = time.monotonic() + patience
        while True:
            for name, process in running:
                if process.poll() is not None:
                    raise session.Failure(f"{name} ended with status {process.returncode}")
            found = self.said()[since:]
            if found == expected or time.monotonic() > deadline:
                return found
            time.sleep(0.05)

    def settle(self, since, running, at_least=0):
        """The utterances after the first `since` once there are `at_least`
        and Orca has said nothing more for QUIET seconds (or as they are when
        PATIENCE runs out); fails when a helper ends."""
        deadline = time.monotonic() + PATIENCE
        found, quiet_since = None, time.monotonic()
        while True:
            for name, process in running:
                if process.poll() is not None:
                    raise session.Failure(f"{name} ended with status {process.returncode}")
            now = self.said()[since:]
            if now != found:
                found, quiet_since = now, time.monotonic()
            if (len(found) >= at_least and time.monotonic() - quiet_since >= QUIET) or time.monotonic() > deadline:
                return found
            time.sleep(0.05)


def start_speech_dispatcher(scratch, env, log):
    config = os.path.join(scratch, "speech-dispatcher")
    os.makedirs(os.path.join(config, "modules"))
    with open(os.path.join(config, "speechd.conf"), "w", encoding="utf-8") as out:
        out.write(SPEECHD_CONFIG)
    with open(os.path.join(config, "modules", "file.conf"), "w", encoding="utf-8") as out:
        out.write(MODULE_CONFIG.format(log=log))
    with open(os.path.join(env["HOME"], ".libao"), "w", encoding="utf-8") as out:
        out.write("default_driver=null\n")
    socket = os.path.join(env["XDG_RUNTIME_DIR"], "speechd.sock")
    server = subprocess.Popen(
        ["speech-dispatcher", "--run-single", "--timeout", "0", "--config-dir", config,
         "--socket-path", socket, "--log-dir", scratch],
        env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    # Orca connects there; were the socket not there yet, its client would
    # start a speech-dispatcher of its own, which nothing here would stop.
    try:
        session.wait_until(server, "speech-dispatcher", "its socket", lambda: os.path.exists(socket),
                           START_PATIENCE)
    except session.Failure:
        server.terminate()
        server.wait()
        raise
    env["SPEECHD_ADDRESS"] = "unix_socket:" + socket
    return server


def start_orca(scratch, env):
    settings = os.path.join(scratch, "orca")
    os.makedirs(settings)
    output = open(os.path.join(scratch, "orca.log"), "w", encoding="utf-8")
    try:
        return subprocess.Popen(["/usr/bin/python3", "-c", ORCA, settings], env=env, stdin=subprocess.DEVNULL,
                                stdout=output, stderr=subprocess.STDOUT)
    finally:
        output.close()


def play(steps, program_path, env, disp, design, speech, helpers, said=None):
    """Plays the steps on a fresh start of the program; False when Orca said
    something else. With `said`, a list, expects nothing and appends what
    Orca said after each step."""
    since = len(speech.said())
    with session.focused_program(program_path, env, disp, design) as (program, _):
        running = helpers + [("the program", program)]
        for step in steps:
            if step["do"] == "key":
                since = len(speech.said())
                session.press_key(disp, step["key"])
            if said is not None:
                # Orca names the window once it shows, whatever else it says.
                said.append(speech.settle(since, running, at_least=1 if step["do"] == "start" else 0))
                continue
            expected = step["said"]
            found = speech.wait_for(since, expected, running, PATIENCE)
            if found != expected:
                print(f"after '{step['action']}' Orca said:")
                sys.stdout.writelines(line + "\n" for line in difflib.unified_diff(
                    [f'"{u}"' for u in expected], [f'"{u}"' for u in found], "expected", "said", lineterm=""))
                return False
    return True

def main():
    write = sys.argv[4:5] == ["--write"]
    if len(sys.argv) != (7 if write else 4):
        print(__doc__, file=sys.stderr)
        return 2
    data, program, scratch = sys.argv[1:4]
    helpers = []  # (name, process), stopped last first
    try:
        expected = session.read_expected_data(data)
        design, speeches = session.Design(expected), expected["speech"]
        if not speeches:
            raise session.Failure(f"{data} holds no expected speech")
        env = session.scratch_environment(scratch, session.current_display())
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES"):
            env.pop(name, None)
        env["LANG"] = "C.UTF-8"
        bus, env["DBUS_SESSION_BUS_ADDRESS"] = session.start_session_bus(scratch)
        helpers.append(("the session bus", bus))
        helpers.append(("the accessibility bus", session.start_accessibility_bus(env)))
        speech = Speech(os.path.join(scratch, "speech.log"))
        helpers.append(("speech-dispatcher", start_speech_dispatcher(scratch, env, speech.path)))
        helpers.append(("Orca", start_orca(scratch, env)))
        ready = speech.wait_for(0, [READY], helpers, START_PATIENCE)
        if ready != [READY]:
            raise session.Failure(f"Orca did not say it is on; it said {ready} (see {scratch}/orca.log)")
        # On a desktop Qt learns from its settings, through the accessibility
        # bus, that a screen reader is on; this session has no such settings.
        env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
        disp = xdisplay.Display(env["DISPLAY"])
        failed = 0
        for name, steps in sorted(speeches.items()):
            if write:
                said = []
                play(steps, program, env, disp, design, speech, helpers, said)
                remake, folder = sys.argv[5:7]
                words = [word for utterances in said for word in ["==", *utterances]]
                subprocess.run([remake, "speech", os.path.join(folder, name), *words], check=True)
                continue
            passed = play(steps, program, env, disp, design, speech, helpers)
            failed += not passed
            print(f"{name}: {'as expected' if passed else 'differs'}", flush=True)
        return 1 if failed else 0
    except (session.Failure, OSError, subprocess.SubprocessError) as failure:
        print(f"orca_test: {failure}", file=sys.stderr)
        return 2
    finally:
        for _, helper in reversed(helpers):
            helper.terminate()
            try:
                helper.wait(timeout=PATIENCE)
            except subprocess.TimeoutExpired:
                helper.kill()
                helper.wait()


if __name__ == "__main__":
    sys.exit(main())

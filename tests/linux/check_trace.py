#!/usr/bin/python3
"""Checks what the program asked of the system, from an `strace -f` trace.

Usage: check_trace.py TRACE SCRATCH_DIR

The program writes nothing, starts nothing, connects to nothing but its X
display and the desktop session bus, and reads no configuration of its own.
SCRATCH_DIR holds the run's home and XDG folders and the session bus's
socket (see drive_program.py).
Prints what it saw, every breach, and exits 1 if there was one.
"""

import collections
import re
import sys

CALL = re.compile(r"^(\d+) +(\w+)\((.*)$")
RESUMED = re.compile(r"^(\d+) +<\.\.\. (\w+) resumed>(.*)$")
WRITE_FLAGS = re.compile(r"\bO_(WRONLY|RDWR|CREAT|TRUNC|APPEND)\b")
CHANGES_FILES = {"creat", "rename", "renameat", "renameat2", "unlink", "unlinkat", "mkdir", "mkdirat", "rmdir",
                 "link", "linkat", "symlink", "symlinkat", "truncate", "chmod", "fchmodat", "chown", "fchownat",
                 "lchown", "utimensat", "mknod", "mknodat"}
OPENS = {"open", "openat", "openat2"}
FIRST_PATH = re.compile(r'"((?:[^"\\]|\\.)*)"')
X_SOCKET = re.compile(r'sun_path=@?"/tmp/\.X11-unix/X\d+"')
# Where a program keeps its configuration, data and caches.
SYSTEM_CONFIG_ROOTS = ("/etc/", "/usr/share/", "/usr/local/share/", "/var/")


def calls(trace):
    """Yields (pid, name, rest of the line), joining calls that strace split
    across threads into "<unfinished ...>" and "<... resumed>"."""
    pending = {}
    with open(trace, encoding="utf-8", errors="replace") as lines:
        for line in lines:
            line = line.rstrip("\n")
            resumed = RESUMED.match(line)
            if resumed:
                pid, name, rest = resumed.groups()
                yield pid, name, pending.pop(pid, "") + rest
                continue
            call = CALL.match(line)
            if not call:
                continue  # signals, exits
            pid, name, rest = call.groups()
            if rest.endswith("<unfinished ...>"):
                pending[pid] = rest[: -len("<unfinished ...>")]
            else:
                yield pid, name, rest


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    trace, scratch = sys.argv[1:]
    bus_socket = scratch.rstrip("/") + "/runtime/bus"
    own_config_roots = [scratch.rstrip("/") + "/", *SYSTEM_CONFIG_ROOTS]

    breaches = []
    executions = 0
    threads = 0
    sockets = collections.Counter()
    connections = collections.Counter()
    read_folders = collections.Counter()
    for pid, name, rest in calls(trace):
        failed = re.search(r"\) += -1 (\w+)", rest)
        path_match = FIRST_PATH.search(rest)
        path = path_match.group(1) if path_match else ""
        line = f"{pid} {name}({rest}"

        if name in OPENS and WRITE_FLAGS.search(rest):
            breaches.append("opened for writing: " + line)
        elif name in CHANGES_FILES:
            # Qt makes sure that XDG_RUNTIME_DIR exists before it looks into
            # it; the folder is there, so nothing is created.
            if not (name in ("mkdir", "mkdirat") and failed and failed.group(1) == "EEXIST"):
                breaches.append("changed the file system: " + line)
        elif name in OPENS and not failed:
            read_folders[path.rsplit("/", 1)[0] or "/"] += 1

        if name in OPENS or name.startswith(("stat", "newfstatat", "statx", "access", "faccessat", "readlink")):
            for root in own_config_roots:
                if path.startswith(root) and "temperament" in path[len(root):].lower():
                    breaches.append("looked for configuration of its own: " + line)

        if name == "execve":
            executions += 1
            if executions > 1:
                breaches.append("started a program: " + line)
        elif name in ("fork", "vfork"):
            breaches.append("started a process: " + line)
        elif name in ("clone", "clone3"):
            if "CLONE_THREAD" in rest:
                threads += 1
            else:
                breaches.append("started a process: " + line)
        elif name == "socket":
            domain = rest.split(",", 1)[0]
            sockets[domain] += 1
            if domain != "AF_UNIX":
                breaches.append("opened a network socket: " + line)
        elif name == "connect":
            if X_SOCKET.search(rest):
                connections["the X display"] += 1
            elif f'sun_path="{bus_socket}"' in rest:
                connections["the session bus"] += 1
            else:
                breaches.append("connected elsewhere: " + line)

    if executions == 0:
        breaches.append("the trace holds no start of the program")
    if connections["the X display"] == 0:
        breaches.append("the trace shows no connection to the X display: was the program traced at all?")

    print(f"threads started: {threads}")
    print("sockets: " + (", ".join(f"{n} x {domain}" for domain, n in sorted(sockets.items())) or "none"))
    print("connections: " + (", ".join(f"{n} x {to}" for to, n in sorted(connections.items())) or "none"))
    print(f"files opened for reading: {sum(read_folders.values())}, in these folders:")
    for folder, n in sorted(read_folders.items()):
        print(f"  {n:4} {folder}")
    for breach in breaches:
        print("BREACH: " + breach)
    print("nothing written, started or connected beyond the display and the session bus" if not breaches
          else f"{len(breaches)} breaches")
    return 1 if breaches else 0


if __name__ == "__main__":
    sys.exit(main())

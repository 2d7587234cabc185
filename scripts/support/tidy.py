#!/usr/bin/env python3
"""clang-tidy over source files of a build, each file checked again only when
something it is made of has changed.

A file found clean is remembered in the user's cache
(~/.cache/temperament/clang-tidy) under a hash of everything its findings can
depend on: clang-tidy's version, the .clang-tidy profiles that apply, its
compile command (this clone's folder left out, so another clone hits the
same entries), the extra arguments, and the contents of the source and of
every header it included, as the build's Ninja recorded them. A file with
findings is never remembered, and a file the build has not compiled yet is
always checked.

Usage: tidy.py BUILD_DIR [--extra-arg=ARG...] FILE...
Prints the findings file by file, then a summary line; status 1 on any finding.
"""
import concurrent.futures
import hashlib
import json
import os
import shlex
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
CLANG_TIDY = "clang-tidy-14"
CACHE = Path(os.environ.get("XDG_CACHE_HOME", Path.home() / ".cache")) / "temperament" / "clang-tidy"


def compile_commands(build):
    entries = json.loads((build / "compile_commands.json").read_text())
    return {str(Path(entry["directory"], entry["file"]).resolve()): entry for entry in entries}


def recorded_dependencies(build):
    """Each object's inputs, from Ninja's log of the last build."""
    deps = {}
    output = subprocess.run(["ninja", "-C", str(build), "-t", "deps"], capture_output=True, text=True,
                            check=True).stdout
    current = None
    for line in output.splitlines():
        if line and not line.startswith(" "):
            current = line.split(":", 1)[0] if "(VALID)" in line else None
            if current:
                deps[current] = []
        elif current and line.strip():
            deps[current].append(line.strip())
    return deps


class Fingerprints:
    def __init__(self, build, extra_args):
        self.build = build
        self.commands = compile_commands(build)
        self.deps = recorded_dependencies(build)
        self.contents = {}
        version = subprocess.run([CLANG_TIDY, "--version"], capture_output=True, text=True, check=True).stdout
        self.common = version + "\0".join(extra_args).replace(str(ROOT), "<root>")

    def content(self, path):
        if path not in self.contents:
            try:
                self.contents[path] = hashlib.sha256(Path(path).read_bytes()).hexdigest()
            except OSError:
                self.contents[path] = "missing"
        return self.contents[path]

    def key(self, source):
        """None when the build has not recorded what the file includes."""
        entry = self.commands.get(str(source))
        if entry is None:
            return None
        command = shlex.split(entry["command"])
        inputs = self.deps.get(command[command.index("-o") + 1]) if "-o" in command else None
        if not inputs:
            return None
        digest = hashlib.sha256(self.common.encode())
        digest.update(entry["command"].replace(str(ROOT), "<root>").encode())
        folder = source.parent
        while True:
            profile = folder / ".clang-tidy"
            if profile.exists():
                digest.update(str(profile.relative_to(ROOT)).encode() + self.content(profile).encode())
            if folder == ROOT or folder == folder.parent:
                break
            folder = folder.parent
        for dependency in inputs:
            path = (self.build / dependency).resolve()  # Ninja's paths are the build folder's
            name = str(path).replace(str(ROOT), "<root>")
            digest.update(f"{name}\0{self.content(path)}\0".encode())
        return digest.hexdigest()


def check(build, extra_args, source, key):
    if key and (CACHE / key).exists():
        return source, True, ""
    result = subprocess.run([CLANG_TIDY, "-p", str(build), "--quiet", *extra_args, str(source)],
                            capture_output=True, text=True)
    output = result.stdout + result.stderr
    clean = result.returncode == 0 and "warning:" not in output and "error:" not in output
    if clean and key:
        CACHE.mkdir(parents=True, exist_ok=True)
        (CACHE / key).touch()
    return source, False, "" if clean else output


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    build = Path(sys.argv[1]).resolve()
    extra_args = [arg for arg in sys.argv[2:] if arg.startswith("--extra-arg")]
    sources = [Path(arg).resolve() for arg in sys.argv[2:] if not arg.startswith("--extra-arg")]
    fingerprints = Fingerprints(build, extra_args)
    keys = {source: fingerprints.key(source) for source in sources}
    findings, remembered = [], 0
    # Two files at a time: the machine is shared with the other checks.
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        results = pool.map(lambda source: check(build, extra_args, source, keys[source]), sources)
        for source, cached, output in results:
            remembered += cached
            if output:
                findings.append(source)
                print(output, end="")
    print(f"clang-tidy ({build.name}): {len(sources)} files, {remembered} unchanged since found clean, "
          f"{len(findings)} with findings")
    for source in findings:
        print(f"  {source.relative_to(ROOT)}")
    return 1 if findings else 0


if __name__ == "__main__":
    sys.exit(main())

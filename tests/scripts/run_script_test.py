#!/usr/bin/env python3
"""Runs one appgen-cli script in an empty folder (which is also where the
session keeps its port map, appgen/ports.conf) and compares what it printed
with NAME.out; NAME.bytes, when present, lists bytes the saved files must hold:
one check a line, "FILE OFFSET HEXBYTES" (offset decimal). Files in the data/
folder beside the script (lookup data, older projects) are copied in first.

  run_script_test.py APPGEN_CLI NAME.script [SYSTEM]
APPGEN_UPDATE_EXPECTED=1 writes NAME.out from this run instead of comparing.
NAME.SYSTEM.out, when present, is what SYSTEM prints instead (the device a COM
name opens differs). A script whose first lines hold "# system: NAME" shows
what only that system does (the port map of Linux); on another SYSTEM it is
skipped, with exit status 77, which CTest reports as skipped.
"""
import difflib
import os
import shutil
import subprocess
import sys
import tempfile

NOW = "2026-03-14T09:26:53"
SKIPPED = 77


def only_system(script):
    """The system a script is limited to, or None."""
    with open(script, encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                return None
            if line.startswith("# system:"):
                return line.split(":", 1)[1].strip()
    return None


def check_bytes(spec_path, folder):
    failures = []
    with open(spec_path, encoding="utf-8") as f:
        for n, line in enumerate(f, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            name, offset, hexbytes = line.split()
            want = bytes.fromhex(hexbytes)
            path = os.path.join(folder, name)
            if not os.path.exists(path):
                failures.append(f"{spec_path}:{n}: {name} was not written")
                continue
            with open(path, "rb") as g:
                data = g.read()
            start = int(offset)
            got = data[start:start + len(want)]
            if got != want:
                failures.append(f"{spec_path}:{n}: {name} at {start}: want {want.hex()}, got {got.hex()}")
    return failures


def main():
    cli, script = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    system = sys.argv[3] if len(sys.argv) > 3 else None
    only = only_system(script)
    if system and only and only != system:
        print(f"SKIP: this script shows what only {only} does; this is {system}")
        return SKIPPED
    base = script[: -len(".script")]
    with tempfile.TemporaryDirectory() as folder:
        data = os.path.join(os.path.dirname(script), "data")
        if os.path.isdir(data):
            for name in os.listdir(data):
                shutil.copy(os.path.join(data, name), folder)
        # The port map lives in the scratch folder (appgen/ports.conf), and no
        # APPGEN_COMn of the caller's shell reaches the session.
        env = {k: v for k, v in os.environ.items() if not k.startswith("APPGEN_COM")}
        env["XDG_CONFIG_HOME"] = folder
        run = subprocess.run([cli, "script", script, "--now", NOW], cwd=folder, env=env,
                             capture_output=True, timeout=120)
        transcript = run.stdout.decode("utf-8", "replace")
        if run.stderr:
            transcript += "# stderr\n" + run.stderr.decode("utf-8", "replace")
        transcript += f"# exit {run.returncode}\n"
        expected_path = base + ".out"
        if system and os.path.exists(f"{base}.{system}.out"):
            expected_path = f"{base}.{system}.out"
        if os.environ.get("APPGEN_UPDATE_EXPECTED") == "1":
            with open(expected_path, "w", encoding="utf-8") as f:
                f.write(transcript)
            return 0
        with open(expected_path, encoding="utf-8") as f:
            expected = f.read()
        failures = []
        if transcript != expected:
            diff = difflib.unified_diff(expected.splitlines(True), transcript.splitlines(True),
                                        expected_path, "this run")
            failures.append("".join(diff))
        if os.path.exists(base + ".bytes"):
            failures += check_bytes(base + ".bytes", folder)
        for f in failures:
            print(f)
        return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

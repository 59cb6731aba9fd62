#!/usr/bin/env python3
"""appgen.exe --script downloads a project through a Wine COM port (COM5
linked to the pseudo-terminal of the Linux build's terminal emulator) with
the real connecting and progress windows, then again with their Cancel
button pressed midway.

  wine_desktop_transfer_test.py APPGEN_EXE LINUX_BUILD_DIR EXAMPLES_DIR
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_transfer_checks import NOW, run_checks  # noqa: E402

EXE, HOST, EXAMPLES = (os.path.abspath(a) for a in sys.argv[1:4])
EMULATOR = os.path.join(HOST, "terminal-emulator")
DOSDEVICES = os.path.join(os.environ["WINEPREFIX"], "dosdevices")


def session(work, script):
    path = os.path.join(work, "session.script")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script)
    out = os.path.join(work, "session.out")
    env = dict(os.environ, WINEDEBUG="-all")
    display_file = env["WINEPREFIX"].rstrip("/") + ".display"
    if not env.get("DISPLAY") and os.path.exists(display_file):
        env["DISPLAY"] = ":" + open(display_file).read().strip()
    run = subprocess.run(["wine", EXE, "--script", path, "--now", NOW, "--out", out], cwd=work, env=env,
                         capture_output=True, timeout=180)
    if not os.path.exists(out):
        return run.returncode, run.stderr.decode("utf-8", "replace")
    with open(out, encoding="utf-8") as f:
        return run.returncode, f.read() + run.stderr.decode("utf-8", "replace")


def with_emulator(work, script):
    emulator = subprocess.Popen([EMULATOR], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    slave = emulator.stdout.readline().decode().strip()
    link = os.path.join(DOSDEVICES, "com5")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(slave, link)
    try:
        return session(work, script)
    finally:
        emulator.terminate()
        emulator.wait()
        os.remove(link)


def main():
    if not os.path.exists(EMULATOR):
        print(f"SKIP: no terminal emulator in {HOST}")
        return 77
    return run_checks(EXAMPLES, with_emulator)


if __name__ == "__main__":
    sys.exit(main())

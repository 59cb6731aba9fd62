#!/usr/bin/env python3
"""appgen --script (offscreen) downloads a project to the terminal emulator
through COM5 (APPGEN_COM5 names the emulator's pseudo-terminal) with the real
connecting and progress windows, then again with their Cancel button pressed
midway.

  qt_script_transfer_test.py APPGEN TERMINAL_EMULATOR EXAMPLES_DIR
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from desktop_transfer_checks import NOW, run_checks  # noqa: E402

APPGEN, EMULATOR, EXAMPLES = (os.path.abspath(a) for a in sys.argv[1:4])


def with_emulator(work, script):
    path = os.path.join(work, "session.script")
    with open(path, "w", encoding="utf-8") as f:
        f.write(script)
    emulator = subprocess.Popen([EMULATOR], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    try:
        slave = emulator.stdout.readline().decode().strip()
        env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_CONFIG_HOME=work, APPGEN_COM5=slave)
        run = subprocess.run([APPGEN, "--script", path, "--now", NOW], cwd=work, env=env,
                             capture_output=True, timeout=120)
        return run.returncode, run.stdout.decode("utf-8", "replace") + run.stderr.decode("utf-8", "replace")
    finally:
        emulator.terminate()
        emulator.wait()


def main():
    return run_checks(EXAMPLES, with_emulator)


if __name__ == "__main__":
    sys.exit(main())

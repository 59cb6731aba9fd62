#!/usr/bin/env python3
"""appgen --script (offscreen) downloads a project to the terminal emulator
through COM5 (APPGEN_COM5 names the emulator's pseudo-terminal) with the real
connecting and progress windows, then again with their Cancel button pressed
midway.

  qt_script_transfer_test.py APPGEN TERMINAL_EMULATOR EXAMPLES_DIR
"""
import os
import shutil
import subprocess
import sys
import tempfile

APPGEN, EMULATOR, EXAMPLES = (os.path.abspath(a) for a in sys.argv[1:4])
NOW = "2026-03-14T09:26:53"

OPEN_AND_PORT = """file stock.TGP
command 1020
cancel
command 2100
select 601 4
ok
"""


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
    failures = []
    with tempfile.TemporaryDirectory() as work:
        shutil.copy(os.path.join(EXAMPLES, "stock-taking", "stock.TGP"), work)
        status, out = with_emulator(work, OPEN_AND_PORT + "command 3020\n")
        if status != 0 or '"value":100' not in out or '"closed":true' not in out:
            failures.append("the download did not run to its end through the windows:\n" + out[-1500:])
        status, out = with_emulator(work, OPEN_AND_PORT + "press-cancel 30\ncommand 3020\n")
        if '"event":"cancel"' not in out or '"value":100' in out:
            failures.append("Cancel did not stop the download:\n" + out[-1500:])
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

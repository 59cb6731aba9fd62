"""The checks both desktop programs' scripted transfers must pass: a download
to the terminal emulator through the real connecting and progress windows,
then one stopped by their Cancel button midway. Each host supplies how a
session runs against the emulator; the stock-taking sample is the project.
"""
import os
import shutil
import tempfile

NOW = "2026-03-14T09:26:53"

# Opens the sample, closes the editor it opens, and sets COM5 in the COM dialog.
OPEN_AND_PORT = """file stock.TGP
command 1020
cancel
command 2100
select 601 4
ok
"""


def run_checks(examples, with_emulator):
    """with_emulator(work, script) -> (exit status, output); returns 0 or 1."""
    failures = []
    with tempfile.TemporaryDirectory() as work:
        shutil.copy(os.path.join(examples, "stock-taking", "stock.TGP"), work)
        status, out = with_emulator(work, OPEN_AND_PORT + "command 3020\n")
        if status != 0 or '"value":100' not in out or '"closed":true' not in out:
            failures.append("the download did not run to its end through the windows:\n" + out[-1500:])
        status, out = with_emulator(work, OPEN_AND_PORT + "press-cancel 30\ncommand 3020\n")
        if '"event":"cancel"' not in out or '"value":100' in out:
            failures.append("Cancel did not stop the download:\n" + out[-1500:])
    for f in failures:
        print(f)
    return 1 if failures else 0

#!/usr/bin/env python3
"""Pictures of appgen.exe's editor pages and transfer windows under Wine, for
the README (not a test: run by hand in a prefix and on a display of its own).

  export WINEPREFIX=/tmp/appgen-shots
  tests/windows/wine_prefix.sh start
  tests/windows/wine_screenshots.py build-windows/appgen.exe build examples build-windows/screenshots
  tests/windows/wine_prefix.sh stop

Writes editor_<page>_page.png for the six pages of the sheet, and
connecting_window.png, progress_window.png, record_count_box.png. A page is
photographed once the part below the tabs has changed from the page before
and two photographs in a row agree (the sheet repaints after the switch); a
transfer window once its text tells it from the connecting window and it has
held still for a while. The Linux build's terminal emulator keeps each window
up: silent for the connecting window, stalled midway for the progress window
and the record count box.
"""
import os
import shutil
import subprocess
import sys
import tempfile

if len(sys.argv) != 5 or "WINEPREFIX" not in os.environ:
    sys.exit(__doc__)
EXE, HOST, EXAMPLES, OUT = (os.path.abspath(a) for a in sys.argv[1:5])
EMULATOR = os.path.join(HOST, "terminal-emulator")
DOSDEVICES = os.path.join(os.environ["WINEPREFIX"], "dosdevices")
MAIN_TITLE = "Генератор Приложений"
SHEET_TITLE = "Application Generator"
# The pages and where their tabs are in the sheet (a click there, as a person
# does: Ctrl+PageDown goes to whichever control has the focus).
PAGES = [("form", 35), ("menu", 87), ("lookup", 155), ("barcode", 238), ("settings", 315), ("startup", 395)]
TAB_Y = 16
# Below the tabs: a click's focus mark on a tab changes the picture before the
# page itself is switched and drawn.
PAGE_BODY = "10000x10000+0+30"
LIMIT = 60
TRIES = 400
# The text at the top of a transfer window: it tells the connecting window
# (a marquee below) from the progress window and the record count box that follow.
LABEL = "10000x40+0+0"  # photographs a window may take to settle

OPEN_AND_PORT = """file stock.TGP
command 1020
cancel
command 2100
select 601 4
ok
"""


def environment():
    env = dict(os.environ, WINEDEBUG="-all")
    display_file = env["WINEPREFIX"].rstrip("/") + ".display"
    if not env.get("DISPLAY") and os.path.exists(display_file):
        env["DISPLAY"] = ":" + open(display_file).read().strip()
    os.environ.update(env)
    return env


def xdotool(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=LIMIT).stdout.split()


def photo(window):
    # import waits on a window destroyed under it: ask again instead.
    try:
        return subprocess.run(["import", "-window", window, "png:-"], capture_output=True, timeout=5).stdout
    except subprocess.TimeoutExpired:
        return None


def part(shot, crop):
    """The pixels of `crop` (an ImageMagick geometry) in the picture."""
    if not shot:
        return shot
    return subprocess.run(["convert", "png:-", "-crop", crop, "rgb:-"], input=shot,
                          capture_output=True, timeout=LIMIT).stdout


def settled(find, crop, unlike=None, agreeing=2):
    """The picture of the window `find` names, once its `crop` differs from
    `unlike` and `agreeing` photographs in a row agree."""
    last, same = None, 0
    for _ in range(TRIES):
        window = find()
        shot = photo(window) if window else None
        same = same + 1 if shot and shot == last else 1
        if same >= agreeing and part(shot, crop) != unlike:
            return shot
        last = shot
    raise AssertionError(f"window {window} never settled")


def save(name, shot):
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(shot)
    print(name)


def editor_pages(env, work):
    program = subprocess.Popen(["wine", EXE], cwd=work, env=env,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        main_window = xdotool("search", "--sync", "--onlyvisible", "--name", f"^{MAIN_TITLE}$")[0]
        xdotool("windowfocus", "--sync", main_window)
        xdotool("key", "ctrl+e")
        sheet = xdotool("search", "--sync", "--onlyvisible", "--name", f"^{SHEET_TITLE}$")[0]
        shot = None
        for i, (page, tab_x) in enumerate(PAGES):
            if i:
                xdotool("mousemove", "--window", sheet, str(tab_x), str(TAB_Y), "click", "1")
            shot = settled(lambda: sheet, PAGE_BODY, part(shot, PAGE_BODY))
            save(f"editor_{page}_page.png", shot)
    finally:
        program.kill()
        program.wait()


def transfer_window(env, work, emulator_args, script, caption, name, unlike=None):
    emulator = subprocess.Popen([EMULATOR, *emulator_args], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    slave = emulator.stdout.readline().decode().strip()
    link = os.path.join(DOSDEVICES, "com5")
    if os.path.lexists(link):
        os.remove(link)
    os.symlink(slave, link)
    path = os.path.join(work, "session.script")
    with open(path, "w", encoding="utf-8") as f:
        f.write(OPEN_AND_PORT + script)
    program = subprocess.Popen(["wine", EXE, "--script", path, "--out", os.path.join(work, "out")],
                               cwd=work, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        xdotool("search", "--sync", "--onlyvisible", "--name", f"^{caption}$")

        def find():
            shown = xdotool("search", "--onlyvisible", "--name", f"^{caption}$")
            return shown[-1] if shown else None
        # A running transfer moves on between photographs: wait for it to stall.
        shot = settled(find, LABEL, unlike, agreeing=6)
        save(name, shot)
        return part(shot, LABEL)
    finally:
        program.kill()
        program.wait()
        emulator.terminate()
        emulator.wait()
        os.remove(link)


def main():
    env = environment()
    os.makedirs(OUT, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        shutil.copy(os.path.join(EXAMPLES, "stock-taking", "stock.TGP"), work)
        editor_pages(env, work)
        connecting = transfer_window(env, work, ["--silent"], "command 3020\n", "Прогресс",
                                     "connecting_window.png")
        transfer_window(env, work, ["--stall-after", "20"], "command 3020\n", "Прогресс", "progress_window.png",
                        connecting)
        transfer_window(env, work, ["--mode", "upload", "--generate", "200:40", "--stall-after", "37"],
                        "file records.txt\ncommand 3030\n", "Upload Data", "record_count_box.png", connecting)
    return 0


if __name__ == "__main__":
    sys.exit(main())

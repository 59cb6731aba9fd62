#!/usr/bin/env python3
"""appgen.exe under Wine on a (virtual) display: the terminal window starts
and is drawn, a right click opens the command menu, Ctrl+E opens the editor
sheet, Esc closes it, Alt+F4 ends the program with nothing to save.

  wine_desktop_test.py APPGEN_EXE [SCREENSHOT_FOLDER]
With a folder, pictures of the windows are kept there (main.png, menu.png, sheet.png).
Waits are on the windows themselves (xdotool --sync), never on the clock.
"""
import os
import subprocess
import sys
import tempfile

MAIN_TITLE = "Генератор Приложений"
SHEET_TITLE = "Application Generator"
LIMIT = 60  # seconds a step may take before the test gives up on it


def xdotool(*args):
    run = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=LIMIT)
    return run.stdout.split()


def wait_window(title):
    ids = xdotool("search", "--sync", "--onlyvisible", "--name", f"^{title}$")
    if not ids:
        raise AssertionError(f"no window named {title!r}")
    return ids[0]


def wait_gone(title):
    # xdotool has no wait for absence: ask until the window is gone, each
    # answer a round trip to the X server.
    for _ in range(10000):
        if not xdotool("search", "--onlyvisible", "--name", f"^{title}$"):
            return
    raise AssertionError(f"the window {title!r} stays")


def colours(window, keep=None):
    shot = subprocess.run(["import", "-window", window, "png:-"], capture_output=True, timeout=LIMIT).stdout
    if keep:
        with open(keep, "wb") as f:
            f.write(shot)
    count = subprocess.run(["convert", "png:-", "-format", "%k", "info:"], input=shot,
                           capture_output=True, timeout=LIMIT).stdout
    return int(count or b"0")


def main():
    exe = os.path.abspath(sys.argv[1])
    shots = sys.argv[2] if len(sys.argv) > 2 else None
    env = dict(os.environ)
    display_file = env.get("WINEPREFIX", "").rstrip("/") + ".display"
    if not env.get("DISPLAY") and os.path.exists(display_file):
        env["DISPLAY"] = ":" + open(display_file).read().strip()
    os.environ.update(env)
    with tempfile.TemporaryDirectory() as folder:
        program = subprocess.Popen(["wine", exe], cwd=folder, env=env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            main_window = wait_window(MAIN_TITLE)
            # Drawn: the terminal's picture has hundreds of colours, a window
            # not yet painted one. The first paint follows the window's mapping.
            drawn = 0
            for _ in range(200):
                drawn = colours(main_window, shots and os.path.join(shots, "main.png"))
                if drawn > 100:
                    break
            assert drawn > 100, f"the terminal window shows {drawn} colours"

            # A right click on the case opens the menu: one more window of the program.
            before = len(xdotool("search", "--onlyvisible", "--classname", "appgen.exe"))
            xdotool("mousemove", "--window", main_window, "100", "150", "click", "3")
            menu = None
            for _ in range(200):
                shown = xdotool("search", "--onlyvisible", "--classname", "appgen.exe")
                if len(shown) > before:
                    menu = shown[-1]
                    break
            assert menu, "no menu opened at the right click"
            if shots:
                subprocess.run(["import", "-window", "root", "-crop", "460x560+280+40",
                                os.path.join(shots, "menu.png")], timeout=LIMIT)
            xdotool("key", "Escape")

            xdotool("windowfocus", "--sync", main_window)
            xdotool("key", "ctrl+e")
            sheet = wait_window(SHEET_TITLE)
            if shots:
                colours(sheet, os.path.join(shots, "sheet.png"))
            xdotool("windowfocus", "--sync", sheet)
            xdotool("key", "Escape")
            wait_gone(SHEET_TITLE)

            xdotool("windowfocus", "--sync", main_window)
            xdotool("key", "alt+F4")
            status = program.wait(timeout=LIMIT)
            assert status == 0, f"appgen.exe ended with {status}"
        finally:
            if program.poll() is None:
                program.kill()
    print("ok")
    return 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (AssertionError, subprocess.TimeoutExpired) as e:
        print(f"FAIL: {e}")
        sys.exit(1)

#!/usr/bin/env python3
"""How long the desktop programs take from their start until the terminal
window shows: appgen.exe under Wine (in a prefix already booted, as a user's
is) beside the Qt program, both on the same X display; and the .exe's size.

  desktop_start_bench.py WINDOWS_BUILD_DIR [LINUX_BUILD_DIR] [RUNS]
Needs DISPLAY (a virtual one will do) and xdotool. Prints the figures.
"""
import os
import statistics
import subprocess
import sys
import time

TITLE = "^Генератор Приложений$"


def time_to_window(command, env):
    start = time.monotonic()
    program = subprocess.Popen(command, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", TITLE],
                   capture_output=True, timeout=120)
    shown = time.monotonic() - start
    program.kill()
    program.wait()
    return shown


def figures(name, command, env, runs, after=None):
    times = []
    for _ in range(runs):
        times.append(time_to_window(command, env))
        if after:
            after()
    print(f"{name}: start to window shown, median {statistics.median(times) * 1000:.0f} ms, "
          f"best {min(times) * 1000:.0f} ms ({runs} runs)")


def main():
    windows = os.path.abspath(sys.argv[1])
    linux = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    exe = os.path.join(windows, "appgen.exe")
    print(f"appgen.exe: {os.path.getsize(exe) / 1024 / 1024:.2f} MiB, statically linked, no DLLs")
    env = dict(os.environ, WINEDEBUG="-all")
    # The prefix boots once, before the timing.
    subprocess.run(["wine", "cmd", "/c", "exit", "0"], env=env, capture_output=True, timeout=300)
    kill_wine = lambda: subprocess.run(["wine", "cmd", "/c", "taskkill", "/f", "/im", "appgen.exe"],
                                       env=env, capture_output=True, timeout=60)
    figures("appgen.exe under Wine", ["wine", exe], env, runs, kill_wine)
    qt = linux and os.path.join(linux, "appgen")
    if qt and os.path.exists(qt):
        figures("appgen (Qt, xcb)", [qt], dict(os.environ, QT_QPA_PLATFORM="xcb"), runs)


if __name__ == "__main__":
    main()

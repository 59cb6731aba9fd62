#!/usr/bin/env python3
"""The Windows packages: the zip holds the desktop program first, and the
NSIS installer installs for the current user without administrator rights
(the programs, the Start menu entry, .TGP files opening in appgen, the
uninstaller's entry), then its uninstaller takes all of it away again.

  wine_installer_test.py BUILD_DIR
Runs cpack into a scratch folder; the installer runs silently (/S) in the
Wine prefix of the tests, and is uninstalled before the end.
"""
import glob
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

LIMIT = 300
CLASSES = r"HKCU\Software\Classes"
UNINSTALL = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\appgen"


def wine(*args):
    return subprocess.run(["wine", *args], capture_output=True, timeout=LIMIT)


def reg_value(key):
    run = wine("reg", "query", key)
    return run.stdout.decode("utf-8", "replace") if run.returncode == 0 else None


def windows_to_unix(path):
    return subprocess.run(["winepath", "-u", path], capture_output=True, text=True,
                          timeout=LIMIT).stdout.strip()


def main():
    build = os.path.abspath(sys.argv[1])
    failures = []
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["cpack", "-B", out], cwd=build, check=True, capture_output=True, timeout=LIMIT)
        [archive] = glob.glob(os.path.join(out, "appgen-*-windows-x64.zip"))
        [installer] = glob.glob(os.path.join(out, "appgen-*-windows-x64.exe"))
        names = [os.path.basename(n) for n in zipfile.ZipFile(archive).namelist()]
        for want in ("appgen.exe", "appgen-cli.exe", "help.md", "README.txt"):
            if want not in names:
                failures.append(f"the zip lacks {want}")
        readme = next(n for n in zipfile.ZipFile(archive).namelist() if n.endswith("README.txt"))
        text = zipfile.ZipFile(archive).read(readme).decode("utf-8").replace("\r\n", "\n")
        if "appgen.exe is the desktop program" not in text.split("\n\n")[1]:
            failures.append("the README does not start with the desktop program")

        if wine(installer, "/S").returncode != 0:
            failures.append("the installer failed")
        command = reg_value(CLASSES + r"\appgen.Project\shell\open\command") or ""
        if not reg_value(CLASSES + r"\.TGP") or "appgen.exe" not in command:
            failures.append(".TGP files do not open in appgen")
        entry = reg_value(UNINSTALL) or ""
        if "UninstallString" not in entry:
            failures.append("no uninstaller entry for the user")
        folder = next((line.split("REG_SZ")[1].strip() for line in entry.splitlines()
                       if "InstallLocation" in line), "")
        unix = windows_to_unix(folder) if folder else ""
        if not unix or not os.path.exists(os.path.join(unix, "appgen.exe")):
            failures.append(f"appgen.exe is not in the install folder {folder!r}")
        appdata = windows_to_unix(wine("cmd", "/c", "echo %APPDATA%").stdout.decode().strip())
        menu = os.path.join(appdata, "Microsoft", "Windows", "Start Menu", "Programs", "appgen", "appgen.lnk")
        if not os.path.exists(menu):
            failures.append("no Start menu entry")

        if unix:
            # _?= keeps the uninstaller in place, so that it has finished when
            # it returns; it cannot remove itself then, which is done here.
            wine(folder + "\\Uninstall.exe", "/S", "_?=" + folder)
            if os.path.exists(os.path.join(unix, "appgen.exe")) or os.path.exists(menu):
                failures.append("the uninstaller left the program or its menu entry")
            if reg_value(UNINSTALL) or reg_value(CLASSES + r"\appgen.Project"):
                failures.append("the uninstaller left its registry entries")
            shutil.rmtree(unix, ignore_errors=True)
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

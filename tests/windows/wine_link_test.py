#!/usr/bin/env python3
"""The Windows build's appgen-cli.exe under Wine, against the Linux build.

  wine_link_test.py APPGEN_CLI_EXE HOST_BUILD_DIR EXAMPLES_DIR

Projects and program images must come out byte for byte as the Linux build
makes them; Cyrillic file names open and save; output is UTF-8; downloads and
uploads go through a Wine COM port (dosdevices/comN linked to the slave of our
terminal emulator's pseudo-terminal) and arrive whole; waits do not spin; a
port held by one run is refused to another; Ctrl-C (Wine turns SIGINT into the
console's Ctrl-C event) ends a transfer at once and a hung-up line ends it as
lost; `ports` lists the COM ports. WINEPREFIX must name a prefix with
a running wineserver (tests/windows/wine_prefix.sh start).

What Wine (8.0) does not do as Windows does, and so is not checked here: DTR
and RTS (EscapeCommFunction and GetCommModemStatus fail with
ERROR_NOT_SUPPORTED on a pseudo-terminal; the cradle set-up's line changes are
checked on the fake port of link_tests), and refusing a second open of a port
(Windows says "access denied"; our own mutex is what refuses it here). A pty
whose terminal process has ended (its master closed) makes Wine's ReadFile
wait out each time-out busily and return nothing; only the next write fails
(ERROR_NOT_READY). A hang-up (our emulator closes the master) is the same to
Wine: it is told as a lost line one time-out late, where Windows fails the read
at once.
"""
import glob
import os
import resource
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

CLI_EXE, HOST, EXAMPLES = sys.argv[1:4]
HOST_CLI = os.path.join(HOST, "appgen-cli")
EMULATOR = os.path.join(HOST, "terminal-emulator")
DOSDEVICES = os.path.join(os.environ["WINEPREFIX"], "dosdevices")
QUICK = ["--test-timeouts", "500,150"]
# Time-outs far beyond BOUND: a run that ends within BOUND did not wait one out.
PATIENT = ["--test-timeouts", "60000,60000"]
BOUND = 30
failures = []


def check(ok, what, detail=""):
    if not ok:
        failures.append(what + (f"\n{detail}" if detail else ""))
        print(f"FAIL {what}")


def win(args, cwd):
    """appgen-cli.exe under Wine: exit status, output, seconds, CPU seconds."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.monotonic()
    run = subprocess.run(["wine", CLI_EXE] + args, cwd=cwd, capture_output=True, timeout=120)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return run.returncode, run.stdout + run.stderr, time.monotonic() - start, cpu


def linux(args, cwd):
    run = subprocess.run([HOST_CLI] + args, cwd=cwd, capture_output=True, timeout=120)
    return run.returncode, run.stdout + run.stderr


def read(path):
    with open(path, "rb") as f:
        return f.read()


class Emulator:
    """Our terminal on a pseudo-terminal that Wine sees as COMn. Its event log
    comes through a pipe, so a test waits for an event rather than for time."""

    def __init__(self, args, com="com5"):
        self.folder = tempfile.mkdtemp(prefix="emulator-")
        log = os.path.join(self.folder, "log")
        os.mkfifo(log)
        self.events = ""
        self.changed = threading.Condition()
        threading.Thread(target=self._follow, args=(log,), daemon=True).start()
        self.proc = subprocess.Popen([EMULATOR, "--log", log] + args, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)
        self.slave = self.proc.stdout.readline().decode().strip()
        self.link = os.path.join(DOSDEVICES, com)
        if os.path.lexists(self.link):
            os.remove(self.link)
        os.symlink(self.slave, self.link)

    def _follow(self, log):
        with open(log, encoding="utf-8", errors="replace") as f:
            for line in f:
                with self.changed:
                    self.events += line
                    self.changed.notify_all()

    def wait_for(self, event, bound=60):
        """Until the emulator logs `event` (the PC got that far); False after `bound` seconds."""
        with self.changed:
            return self.changed.wait_for(lambda: event in self.events, timeout=bound)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.proc.terminate()
        self.proc.wait()
        os.remove(self.link)
        shutil.rmtree(self.folder)


def same_files_as_linux(work):
    """The sample projects and fresh ones: every file byte for byte the Linux build's."""
    projects = sorted(glob.glob(os.path.join(EXAMPLES, "*", "*.TGP")))
    check(projects, "sample projects found in " + EXAMPLES)
    for n, project in enumerate(projects):
        name = os.path.basename(project)
        shutil.copy(project, os.path.join(work, f"{n}.TGP"))
        for tool, runner in (("w", win), ("l", linux)):
            runner(["compile", f"{n}.TGP", "-o", f"{n}.{tool}.img"], work)
            runner(["convert", f"{n}.TGP", f"{n}.{tool}.TGP"], work)
        for kind in ("img", "TGP"):
            w, l = os.path.join(work, f"{n}.w.{kind}"), os.path.join(work, f"{n}.l.{kind}")
            check(os.path.exists(w) and os.path.exists(l) and read(w) == read(l),
                  f"{name}: the Windows build's .{kind} differs from the Linux build's")
        w_dump, l_dump = win(["dump", f"{n}.TGP"], work)[1], linux(["dump", f"{n}.TGP"], work)[1]
        check(w_dump == l_dump, f"{name}: dump printed differently", w_dump[:300].decode("utf-8", "replace"))
    linux(["new", "fresh.l.TGP"], work)
    win(["new", "fresh.w.TGP"], work)
    check(read(os.path.join(work, "fresh.w.TGP")) == read(os.path.join(work, "fresh.l.TGP")),
          "new: the Windows build's project differs")


def cyrillic_names(work):
    status, out, _, _ = win(["new", "склад.TGP"], work)
    check(status == 0 and os.path.exists(os.path.join(work, "склад.TGP")), "new склад.TGP", out.decode(errors="replace"))
    status, out, _, _ = win(["compile", "склад.TGP", "-o", "образ.img"], work)
    check(status == 0 and os.path.getsize(os.path.join(work, "образ.img")) == 20000, "compile to образ.img",
          out.decode(errors="replace"))
    status, out, _, _ = win(["dump", "склад.TGP"], work)
    check("Глав.Меню".encode() in out, "dump prints UTF-8", out[:200].decode("utf-8", "replace"))
    status, out, _, _ = win(["dump", "нет такого.TGP"], work)
    check(status == 1 and "нет такого.TGP: no such file".encode() in out, "a missing Cyrillic name is named in UTF-8",
          out.decode(errors="replace"))


def transfers(work):
    project = "склад.TGP"
    with Emulator(["--image-out", os.path.join(work, "got.img")]):
        status, out, _, _ = win(["download", project, "--port", "COM5"], work)
    check(status == 0 and b"Download: Downloaded completely!\n" in out, "download through COM5",
          out[-400:].decode(errors="replace"))
    check(read(os.path.join(work, "got.img")) == read(os.path.join(work, "образ.img")),
          "the terminal got the compiled image")

    # Ports past COM9 are reached as \\.\COMn; both spellings work.
    for port, com in (("COM12", "com12"), ("\\\\.\\COM5", "com5")):
        with Emulator(["--image-out", os.path.join(work, "got2.img")], com):
            status, out, _, _ = win(["download", project, "--port", port], work)
        check(status == 0, f"download through {port}", out[-300:].decode(errors="replace"))

    text = "00012;Молоко;1.20\r\n\r\nlast line\r\n"
    lines = text.encode("cp1251")
    with open(os.path.join(work, "справочник.TXT"), "wb") as f:
        f.write(lines)
    with Emulator(["--mode", "lookup", "--lookup-out", os.path.join(work, "got.TXT")]):
        status, out, _, _ = win(["download-lookup", "справочник.TXT", "--port", "COM5"], work)
    check(status == 0 and read(os.path.join(work, "got.TXT")) == lines, "lookup file from a Cyrillic name",
          out.decode(errors="replace"))
    # The same file saved in UTF-8 is refused, or converted when told.
    with open(os.path.join(work, "utf8.TXT"), "wb") as f:
        f.write(text.encode())
    status, out, _, _ = win(["download-lookup", "utf8.TXT", "--port", "COM5"], work)
    check(status == 1 and b"--encoding utf-8" in out, "a UTF-8 lookup file is refused", out.decode(errors="replace"))
    with Emulator(["--mode", "lookup", "--lookup-out", os.path.join(work, "got8.TXT")]):
        status, out, _, _ = win(["download-lookup", "utf8.TXT", "--port", "COM5", "--encoding", "utf-8"], work)
    check(status == 0 and read(os.path.join(work, "got8.TXT")) == lines, "a UTF-8 lookup file converted",
          out.decode(errors="replace"))

    with open(os.path.join(work, "records.txt"), "wb") as f:
        f.write("4600123;2\nЧай;1\nend\n".encode())
    with Emulator(["--mode", "upload", "--records", os.path.join(work, "records.txt"), "--corrupt", "2"]):
        status, out, _, _ = win(["upload", "приход.TXT", "--port", "COM5"], work)
    check(status == 0 and read(os.path.join(work, "приход.TXT")) == "4600123;2\r\nЧай;1\r\nend\r\n".encode(),
          "upload into приход.TXT", out.decode(errors="replace"))

    with Emulator(["--cradle", "115200", "--image-out", os.path.join(work, "cradle.img")]):
        status, out, _, _ = win(["download", project, "--port", "COM5", "--cradle", "--baud", "38400"], work)
    check(status == 0 and os.path.getsize(os.path.join(work, "cradle.img")) == 20000, "download through the cradle",
          out[-300:].decode(errors="replace"))


def waits_and_refusals(work):
    # A silent terminal: the link waits out its time-outs asleep in the driver.
    with Emulator(["--silent"]):
        status, out, seconds, cpu = win(["download", "склад.TGP", "--port", "COM5"] + QUICK, work)
    check(status == 1 and b"Error: Terminal is not ready!" in out, "a silent terminal is told", out.decode(errors="replace"))
    check(seconds > 1 and cpu < 0.25 * seconds, f"waiting used {cpu:.2f} s of processor in {seconds:.2f} s")

    # A port held by one run is refused to the next, which says why.
    with Emulator(["--silent"]) as emulator:
        holder = subprocess.Popen(["wine", CLI_EXE, "download", "склад.TGP", "--port", "COM5"], cwd=work,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        check(emulator.wait_for("handshake unanswered"), "the first run reached the terminal")
        status, out, _, _ = win(["download", "склад.TGP", "--port", "COM5"], work)
        holder.terminate()
        holder.wait()
    check(status == 1 and b"Error: Can't open the COM port!" in out and b"Another program has the port open" in out,
          "a port in use is refused", out.decode(errors="replace"))

    status, out, _, _ = win(["upload", "out.TXT", "--port", "COM9"], work)
    check(status == 1 and b"Error: Fail to open COM port" in out and b"COM9" in out, "a missing port is told",
          out.decode(errors="replace"))


def stops_and_ports(work):
    # Ctrl-C ends the transfer in order, with the status of SIGINT, while the
    # link waits for an answer that would take a minute: ending within the
    # generous bound means it did not wait that out.
    with Emulator(["--silent"]) as emulator:
        run = subprocess.Popen(["wine", CLI_EXE, "download", "склад.TGP", "--port", "COM5"] + PATIENT, cwd=work,
                               stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        check(emulator.wait_for("handshake unanswered"), "the download reached the terminal")
        run.send_signal(signal.SIGINT)
        try:
            out, _ = run.communicate(timeout=BOUND)
        except subprocess.TimeoutExpired:
            run.kill()
            out = run.communicate()[0] + f"\n(still running {BOUND} s after Ctrl-C)".encode()
    check(run.returncode == 130 and b"The transfer was stopped" in out,
          f"Ctrl-C ends a download at once with 130 (status {run.returncode})", out.decode(errors="replace"))

    # A line that hangs up ends the download as lost. Wine notices it only at
    # the write after a read has waited out its time-out (the pty's master is
    # closed, as when the terminal is switched off); Windows fails the read.
    with Emulator(["--hang-up-after", "3"]):
        status, out, _, _ = win(["download", "склад.TGP", "--port", "COM5"] + QUICK, work)
    check(status == 1 and b"connection to the terminal was lost" in out, "a hang-up ends the download as lost",
          out.decode(errors="replace"))

    # Wine registers the serial ports it finds when the prefix boots and lists
    # no COM link made later (not even once opened): the listing is checked
    # against the registry.
    registry = subprocess.run(["wine", "reg", "query", "HKLM\\HARDWARE\\DEVICEMAP\\SERIALCOMM"],
                              capture_output=True, timeout=60).stdout.decode(errors="replace")
    registered = sorted({w for w in registry.split() if w.startswith("COM")}, key=lambda c: int(c[3:]))
    status, out, _, _ = win(["ports"], work)
    text = out.decode(errors="replace")
    listed = [line.split()[0] for line in text.split("\n\n")[0].split("\n")[1:] if line.strip()]
    if registered:
        check(status == 0 and all(c in listed for c in registered), f"ports lists {registered}", text)
    else:
        print("SKIP ports lists the registered COM ports: Wine registered none in this prefix")
    for n in range(1, 7):
        state = "default" if f"COM{n}" in listed else "default, not found"
        check(f"  COM{n}  \\\\.\\COM{n}  ({state})" in text, f"ports tells COM{n} {state}", text)
    status, out, _, _ = win(["ports", "set", "COM1", "COM12"], work)
    check(status == 2 and b"Device Manager" in out, "ports set says where Windows numbers its ports",
          out.decode(errors="replace"))


def main():
    for path in (CLI_EXE, HOST_CLI, EMULATOR):
        if not os.path.exists(path):
            print(f"missing {path}: build the default (Linux) preset first")
            return 1
    with tempfile.TemporaryDirectory(prefix="appgen-wine-") as work:
        same_files_as_linux(work)
        cyrillic_names(work)
        transfers(work)
        waits_and_refusals(work)
        stops_and_ports(work)
    for f in failures:
        print(f, file=sys.stderr)
    print(f"{'FAILED' if failures else 'passed'}: {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

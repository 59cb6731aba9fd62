#!/usr/bin/env python3
"""Checks the sample projects under examples/: each build.script, run in an
empty folder, must save exactly the bytes of the .TGP kept beside it; one record
walked through the simulator must come out as the example intends, shaped like
the lines of its records.txt; the lookup data file must fit lookup 1 of its
project; the tables kept beside the records are what `records` makes of them.
With --emulator, the lookup file and the records also go through our terminal
emulator and must arrive unchanged.

  check_examples.py APPGEN_CLI [--emulator TERMINAL_EMULATOR] [--examples DIR]
"""
import argparse
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile

NOW = "2026-03-14T09:26:53"

# Offsets in a project file: tag and port (12 bytes), barcode settings (23),
# ten menus of 350, then ten forms of 1215 bytes and three lookups of 122.
FORMS = 12 + 23 + 10 * 350
FORM_SIZE = 1215
LOOKUPS = FORMS + 10 * FORM_SIZE
RECORD_ACTION = 19
PASS_ON = 3  # "передать в след.форму": the only action the simulator builds a record for

EAN = r"\d{8}(?:\d{5})?"
EAN_FIXED = r"\d{8}(?:\d{5}| {5})"  # EAN-8 codes padded to 13 with spaces

EXAMPLES = [
    {
        "folder": "stock-taking",
        "project": "stock.TGP",
        "lookup": "articles.txt",
        "record_shape": rf"{EAN_FIXED};\d{{1,5}};\d\d\.\d\d\.\d{{4}};\d\d:\d\d",
        # Two terminals' records, and the tables appgen-cli records makes of them.
        "records": ["records.txt", "records-2.txt"],
        "tables": [
            (["records.txt", "records-2.txt"], "table.csv"),
            (["records.txt", "records-2.txt", "--totals", "Код:", "--quantity", "Кол-во:"], "totals.csv"),
        ],
        "walks": [
            {
                "what": "one article counted",
                # The form keeps its records in the terminal's file; a copy that
                # passes them on lets the simulator show the record it builds.
                "pass_on": [1],
                # Collect data, menu item 1, the code, Enter, the quantity, Enter.
                "keys": "1 1 4 6 0 1 2 3 4 0 0 0 0 1 7 ENTER 1 2 ENTER",
                "record": "4601234000017;12;14.03.2026;09:26",
                "records": 1,
                "lines": {0: "Код:", 2: "Кол-во:", 4: "ESC - выход в меню"},
                "screen": 1,
            },
        ],
    },
    {
        "folder": "goods-receiving",
        "project": "receiving.TGP",
        "lookup": None,
        "record_shape": rf"{EAN};\d{{1,5}};\d\d:\d\d:\d\d",
        "walks": [
            {
                "what": "the note passed on to form 2, then one article",
                "pass_on": [],
                "keys": "1 1 4 5 1 2 ENTER 2 0 7 ENTER "
                        "4 6 0 1 2 3 4 0 0 0 0 1 7 ENTER 2 4 ENTER",
                "record": "14.03.2026;4512;207",
                "records": 2,
                "lines": {0: "Накл:14.03.2026;4512", 1: ";207", 2: "Записей:00002", 3: "Код:"},
                "screen": 2,
                "shape_checked": False,  # the note's record, not an article record
            },
            {
                "what": "one article record",
                "pass_on": [2],
                "keys": "1 1 4 5 1 2 ENTER 2 0 7 ENTER "
                        "4 6 0 1 2 3 4 0 0 0 0 1 7 ENTER 2 4 ENTER",
                "record": "4601234000017;24;09:26:53",
                "records": 2,
                "lines": {},
                "screen": 2,
            },
        ],
    },
]


class Checker:
    def __init__(self, cli, emulator, examples):
        self.cli, self.emulator, self.examples = cli, emulator, examples
        self.failures = []

    def fail(self, folder, why):
        self.failures.append(f"{folder}: {why}")

    def run(self, args, cwd):
        return subprocess.run([self.cli] + args, cwd=cwd, capture_output=True, timeout=120)

    def rebuild(self, ex, work):
        folder = os.path.join(self.examples, ex["folder"])
        shutil.copy(os.path.join(folder, "build.script"), work)
        r = self.run(["script", "build.script", "--now", NOW], work)
        if r.returncode != 0 or r.stderr:
            self.fail(ex["folder"], f"build.script exit {r.returncode}: {r.stderr.decode(errors='replace')}")
            return None
        built_path = os.path.join(work, ex["project"])
        if not os.path.exists(built_path):
            self.fail(ex["folder"], f"build.script saved no {ex['project']}")
            return None
        with open(built_path, "rb") as f:
            built = f.read()
        with open(os.path.join(folder, ex["project"]), "rb") as f:
            kept = f.read()
        if built != kept:
            at = next((i for i in range(min(len(built), len(kept))) if built[i] != kept[i]),
                      min(len(built), len(kept)))
            self.fail(ex["folder"], f"rebuilt {ex['project']} differs from the kept one at byte {at}"
                                    f" ({len(built)} and {len(kept)} bytes)")
        return kept

    def walk(self, ex, kept, walk, work):
        project = os.path.join(work, "walk.TGP")
        data = bytearray(kept)
        for form in walk["pass_on"]:
            data[FORMS + (form - 1) * FORM_SIZE + RECORD_ACTION] = PASS_ON
        with open(project, "wb") as f:
            f.write(data)
        r = self.run(["simulate", project, "--now", NOW, "--keys", walk["keys"]], work)
        name = f"{ex['folder']} ({walk['what']})"
        if r.returncode != 0:
            self.fail(name, f"simulate exit {r.returncode}: {r.stderr.decode(errors='replace')}")
            return
        state = json.loads(r.stdout.decode("utf-8"))
        want = {"state": "FormScreen", "screen": walk["screen"], "records": walk["records"],
                "record": walk["record"]}
        for key, value in want.items():
            if state.get(key) != value:
                self.fail(name, f"{key} is {state.get(key)!r}, want {value!r}")
        for row, text in walk["lines"].items():
            if state["lines"][row] != text:
                self.fail(name, f"screen line {row + 1} is {state['lines'][row]!r}, want {text!r}")
        if walk.get("shape_checked", True) and not re.fullmatch(ex["record_shape"], walk["record"]):
            self.fail(name, f"the record {walk['record']!r} is not shaped like records.txt")

    def records_file(self, ex):
        for name in ex.get("records", ["records.txt"]):
            path = os.path.join(self.examples, ex["folder"], name)
            with open(path, "rb") as f:
                data = f.read()
            if not data.endswith(b"\r\n") or b"\n" in data.replace(b"\r\n", b""):
                self.fail(ex["folder"], f"{name} lines must end with CR LF")
            for n, line in enumerate(data.split(b"\r\n")[:-1], 1):
                if not re.fullmatch(ex["record_shape"], line.decode("ascii", "replace")):
                    self.fail(ex["folder"], f"{name} line {n} is not shaped like the form's records")

    def tables(self, ex, work):
        """Each table kept in the folder is what appgen-cli records makes of its records."""
        folder = os.path.join(self.examples, ex["folder"])
        for args, kept in ex.get("tables", []):
            out = os.path.join(work, kept)
            r = self.run(["records", ex["project"]] + args + ["-o", out], folder)
            if r.returncode != 0:
                self.fail(ex["folder"], f"records for {kept}: exit {r.returncode}: "
                                        f"{r.stderr.decode(errors='replace')}")
                continue
            with open(out, "rb") as f, open(os.path.join(folder, kept), "rb") as g:
                if f.read() != g.read():
                    self.fail(ex["folder"], f"appgen-cli records no longer makes {kept}")

    def lookup_file(self, ex, kept):
        """Every line of the lookup file: CR LF, Windows-1251, separated as lookup 1
        says, each field within its maximum length."""
        rec_len, field_count = kept[LOOKUPS], kept[LOOKUPS + 1]
        lengths = list(kept[LOOKUPS + 11:LOOKUPS + 11 + field_count])
        separator = bytes([kept[LOOKUPS + 19]])
        with open(os.path.join(self.examples, ex["folder"], ex["lookup"]), "rb") as f:
            data = f.read()
        if not data.endswith(b"\r\n") or b"\n" in data.replace(b"\r\n", b""):
            self.fail(ex["folder"], f"{ex['lookup']} lines must end with CR LF")
        for n, line in enumerate(data.split(b"\r\n")[:-1], 1):
            fields = line.split(separator)
            if len(fields) != field_count or len(line) > rec_len:
                self.fail(ex["folder"], f"{ex['lookup']} line {n} does not fit lookup 1")
                continue
            for k, (field, most) in enumerate(zip(fields, lengths), 1):
                if not field or len(field) > most:
                    self.fail(ex["folder"], f"{ex['lookup']} line {n} field {k} is not 1..{most} bytes")
            line.decode("cp1251")

    def through_emulator(self, ex, work):
        """The lookup file down to the emulator and records.txt up from it, unchanged."""
        folder = os.path.join(self.examples, ex["folder"])
        trips = [("records.txt", ["--mode", "upload", "--records"], ["upload", "got.txt"], "got.txt")]
        if ex["lookup"]:
            trips.append((ex["lookup"], ["--mode", "lookup", "--lookup-out"],
                          ["download-lookup", os.path.join(folder, ex["lookup"])], "lookup.txt"))
        for name, mode, command, got in trips:
            given = os.path.join(folder, name)
            emulator_args = mode + [os.path.join(work, got) if "--lookup-out" in mode else given]
            em = subprocess.Popen([self.emulator] + emulator_args + ["--idle-exit", "20"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
            try:
                port = em.stdout.readline().strip()
                r = self.run(command + ["--port", port], work)
            finally:
                em.terminate()
                em.wait(timeout=20)
            if r.returncode != 0:
                self.fail(ex["folder"], f"{name} through the emulator: exit {r.returncode}")
                continue
            with open(given, "rb") as f, open(os.path.join(work, got), "rb") as g:
                if f.read() != g.read():
                    self.fail(ex["folder"], f"{name} did not arrive unchanged through the emulator")

    def check(self, ex):
        with tempfile.TemporaryDirectory() as work:
            kept = self.rebuild(ex, work)
            if kept is None:
                return
            for walk in ex["walks"]:
                self.walk(ex, kept, walk, work)
            self.records_file(ex)
            self.tables(ex, work)
            if ex["lookup"]:
                self.lookup_file(ex, kept)
            if self.emulator:
                self.through_emulator(ex, work)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--emulator")
    parser.add_argument("--examples", default=os.path.join(here, "..", "..", "examples"))
    a = parser.parse_args()
    checker = Checker(os.path.abspath(a.cli), a.emulator and os.path.abspath(a.emulator),
                      os.path.abspath(a.examples))
    if not checker.emulator:
        print("SKIP the files through the terminal emulator: this build has none")
    for ex in EXAMPLES:
        checker.check(ex)
    for f in checker.failures:
        print(f)
    return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())

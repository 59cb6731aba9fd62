#!/usr/bin/env python3
"""appgen-cli records as a user runs it on the stock-taking sample (and a copy
with a second form): the JSON listing, the exit statuses, one CSV per form, and
the workbook read back from its zip.

  records_cli_test.py APPGEN_CLI EXAMPLES_DIR
"""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

FORM2 = 12 + 23 + 10 * 350 + 1215  # form 2 in a project file
LINE_TYPE, PREFIX_ON, PREFIX = 29, 341, 349

failures = []


def check(cond, what):
    if not cond:
        failures.append(what)


def main():
    checks()
    for f in failures:
        print(f)
    return 1 if failures else 0


def checks():
    cli, examples = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    with tempfile.TemporaryDirectory() as work:
        for name in ("stock.TGP", "records.txt", "records-2.txt"):
            shutil.copy(os.path.join(examples, "stock-taking", name), work)
        # Form 2: one text line after the prefix "#".
        data = bytearray(open(os.path.join(work, "stock.TGP"), "rb").read())
        data[FORM2 + LINE_TYPE] = 1
        data[FORM2 + PREFIX_ON] = 1
        data[FORM2 + PREFIX] = ord("#")
        open(os.path.join(work, "two.TGP"), "wb").write(bytes(data))
        with open(os.path.join(work, "mixed.txt"), "wb") as f:
            f.write(b"4601234000017;5;14.03.2026;10:00\r\n\r\n#\xcf\xee\xeb\xea\xe0 3\r\nbroken\r\n")

        def run(*args):
            return subprocess.run([cli, "records"] + list(args), cwd=work, capture_output=True)

        # JSON: a split record, one of form 2, an empty line counted, one that fits nothing.
        r = run("two.TGP", "mixed.txt", "--json")
        lines = [json.loads(x) for x in r.stdout.decode().splitlines()]
        check(r.returncode == 1, f"json: exit {r.returncode}")
        check(lines[0] == {"file": "mixed.txt", "line": 1, "form": 1, "fields": [
            {"name": "Код:", "text": "4601234000017"}, {"name": "Кол-во:", "text": "5"},
            {"name": "Дата и время", "text": "14.03.2026;10:00"}]}, f"json: {lines[0]}")
        check(lines[1] == {"file": "mixed.txt", "line": 3, "form": 2,
                           "fields": [{"name": "Строка 1", "text": "Полка 3"}]}, f"json: {lines[1]}")
        check(lines[2] == {"file": "mixed.txt", "line": 4, "form": None, "raw": "broken"}, f"json: {lines[2]}")

        # One form per CSV: refused without --form, nothing written; with it, written.
        r = run("two.TGP", "mixed.txt", "-o", "out.csv")
        check(r.returncode == 2 and b"1, 2" in r.stderr and not os.path.exists(os.path.join(work, "out.csv")),
              f"csv of two forms: exit {r.returncode} {r.stderr!r}")
        r = run("two.TGP", "mixed.txt", "--form", "2", "-o", "out.csv")
        check(r.returncode == 1 and b"mixed.txt:1:" in r.stderr and b"mixed.txt:4:" in r.stderr,
              f"csv of form 2: exit {r.returncode} {r.stderr!r}")
        check(open(os.path.join(work, "out.csv"), "rb").read() ==
              "\ufeffФайл;Строка;Строка 1\r\nmixed.txt;3;Полка 3\r\n".encode(), "csv of form 2")

        # Errors: an unknown column, a missing file.
        check(run("stock.TGP", "records.txt", "--totals", "Нет").returncode == 2, "unknown column")
        check(run("stock.TGP", "missing.txt").returncode == 2, "missing file")

        # The workbook: a sheet per form, what was not split, the totals.
        if b"not available in this build" in run("--help").stdout:
            return
        # A Cyrillic name: the library must open it through the wide calls on Windows.
        before = set(os.listdir(work))
        r = run("two.TGP", "records.txt", "records-2.txt", "mixed.txt", "-o", "склад.xlsx",
                "--totals", "Код:", "--quantity", "Кол-во:")
        check(r.returncode == 1, f"xlsx: exit {r.returncode} {r.stderr!r}")
        check(set(os.listdir(work)) - before == {"склад.xlsx"}, "xlsx: nothing but the workbook left")
        book = zipfile.ZipFile(os.path.join(work, "склад.xlsx"))
        names = re.findall(r'<sheet name="([^"]*)"', book.read("xl/workbook.xml").decode())
        check(names == ["Форма 1", "Форма 2", "Не разобрано", "Итоги"], f"sheets {names}")
        sheet1 = book.read("xl/worksheets/sheet1.xml").decode()
        check('state="frozen"' in sheet1 and "<cols>" in sheet1, "header frozen, columns sized")
        # Row 2: the code stays text, the quantity is a number.
        row2 = re.search(r'<row r="2".*?</row>', sheet1).group(0)
        check("<t>4601234000017</t>" in row2 and re.search(r'<c r="D2"[^>]*><v>12</v>', row2), f"row 2: {row2}")
        check(sheet1.count("<row ") == 1 + 16 + 7 + 1, "form 1's rows")
        unsplit = book.read("xl/worksheets/sheet3.xml").decode()
        check("<t>broken</t>" in unsplit and "не подходит" in unsplit, "the sheet of records not split")
        totals = book.read("xl/worksheets/sheet4.xml").decode()
        first = re.search(r'<row r="2".*?</row>', totals).group(0)
        check("<t>4601234000017</t>" in first and re.search(r"<v>3</v>.*<v>21</v>", first), f"totals: {first}")


if __name__ == "__main__":
    sys.exit(main())

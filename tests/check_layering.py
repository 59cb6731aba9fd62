#!/usr/bin/env python3
"""Every #include under src/ against the table of which folder may include what.

  check_layering.py SOURCE_DIR [TABLE]

TABLE (default SOURCE_DIR/docs/layering.txt) says what each folder may include
and lists the known exceptions. An include the table forbids fails the run; a
known exception is printed as a warning, and one no longer seen is named so
its line can go.
"""
import fnmatch
import os
import re
import sys

SOURCE_DIR = sys.argv[1]
TABLE = sys.argv[2] if len(sys.argv) > 2 else os.path.join(SOURCE_DIR, "docs", "layering.txt")

CXX_HEADERS = set("""
    algorithm any array atomic barrier bit bitset cassert cctype cerrno cfenv cfloat charconv chrono
    cinttypes climits clocale cmath codecvt compare complex concepts condition_variable coroutine
    csetjmp csignal cstdarg cstddef cstdint cstdio cstdlib cstring ctime cuchar cwchar cwctype deque
    exception execution expected filesystem format forward_list fstream functional future
    initializer_list iomanip ios iosfwd iostream istream iterator latch limits list locale map
    memory memory_resource mutex new numbers numeric optional ostream print queue random ranges
    ratio regex scoped_allocator semaphore set shared_mutex source_location span spanstream sstream
    stack stacktrace stdexcept stop_token streambuf string string_view syncstream system_error
    thread tuple type_traits typeindex typeinfo unordered_map unordered_set utility valarray
    variant vector version
""".split())
C_HEADERS = set("""
    assert.h complex.h ctype.h errno.h fenv.h float.h inttypes.h iso646.h limits.h locale.h math.h
    setjmp.h signal.h stdalign.h stdarg.h stdbool.h stddef.h stdint.h stdio.h stdlib.h string.h
    tgmath.h time.h uchar.h wchar.h wctype.h
""".split())
SYSTEM_MACROS = re.compile(r"^\s*#\s*(?:if|ifdef|ifndef|elif)\b.*\b(_WIN32|_WIN64|__linux__|__unix__|__APPLE__)\b")
INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = (".h", ".hpp", ".cpp", ".cc", ".c")


def read_table(path):
    rows, exceptions = {}, {}
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            if words[0] == "except" and len(words) == 3:
                exceptions[(words[1], words[2])] = number
            elif words[0].endswith(":"):
                rows[words[0][:-1]] = set(words[1:])
            else:
                sys.exit(f"{path}:{number}: neither a row nor an exception: {line.strip()}")
    return rows, exceptions


def kind_of(bracket, name, folders, here):
    """What an include is: std, qt, os, or the folder (or folder/header) it names."""
    if bracket == "<":
        if name in CXX_HEADERS or name in C_HEADERS:
            return "std"
        if name.startswith("Q"):
            return "qt"
        return "os"
    folder = name.split("/", 1)[0]
    return folder if "/" in name and folder in folders else here  # "x.h" beside the file


def allowed(kind, name, here, row):
    if kind == here or any(fnmatch.fnmatchcase(name, token) for token in row if "." in token or "/" in token):
        return True
    if kind == "platform" and re.match(r"platform/(posix|win32)_", name):
        return False  # the system-specific headers stay inside src/platform
    return kind in row


def main():
    rows, exceptions = read_table(TABLE)
    src = os.path.join(SOURCE_DIR, "src")
    folders = {d for d in os.listdir(src) if os.path.isdir(os.path.join(src, d))}
    unknown = folders - rows.keys()
    if unknown:
        print(f"FAIL src/{', src/'.join(sorted(unknown))} has no row in {TABLE}")
        return 1
    found, seen = [], set()
    for here in sorted(folders):
        for root, _, files in os.walk(os.path.join(src, here)):
            for file in sorted(f for f in files if f.endswith(SOURCE_SUFFIXES)):
                path = os.path.join(root, file)
                rel = os.path.relpath(path, SOURCE_DIR).replace(os.sep, "/")
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        include = INCLUDE.match(line)
                        if include:
                            name = include.group(2)
                            kind = kind_of(include.group(1), name, folders, here)
                        elif here not in ("platform", "win32") and SYSTEM_MACROS.match(line):
                            name, kind = SYSTEM_MACROS.match(line).group(1), "os"
                            name = "_WIN32" if name == "_WIN64" else name
                        else:
                            continue
                        if not allowed(kind, name, here, rows[here]):
                            found.append((rel, number, name, kind))

    failures = 0
    for rel, number, name, kind in found:
        verb = "test" if name.startswith("_") else "include"
        what = f"{rel}:{number}: src/{rel.split('/')[1]} may not {verb} {name} ({kind})"
        # An exception names a file, or a folder (ending in "/") for every file in it.
        excepted = [(p, name) for p in (rel, rel.rsplit("/", 1)[0] + "/") if (p, name) in exceptions]
        if excepted:
            seen.update(excepted)
            print(f"warning (known exception): {what}")
        else:
            failures += 1
            print(f"FAIL {what}")
    for (rel, name), number in sorted(exceptions.items()):
        if (rel, name) not in seen:
            print(f"note: {TABLE}:{number}: the exception for {rel} and {name} is no longer seen; delete it")
    print(f"{'FAILED' if failures else 'passed'}: {failures} forbidden includes, "
          f"{len(seen)} known exceptions")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())

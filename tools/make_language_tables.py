#!/usr/bin/env python3
"""Writes the language tables embedded into orbic40.

Run from anywhere: python3 tools/make_language_tables.py [--check]

The editable sources are tools/lang/langN.utf8.ini (UTF-8, one entry a line).
The outputs resources/langN.ini are the same text as UTF-16 little-endian with
the byte-order mark FF FE and CR LF line ends, which is what the program reads.
Both are committed; with --check the script only verifies that the committed
outputs match their sources and exits non-zero when one is stale.

Each source is checked before it is written: one section named like the
resource, every entry line quoted (the reader splits at blanks outside quotes),
no key twice.
"""

import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
SOURCE_DIR = ROOT / "tools" / "lang"
RESOURCE_DIR = ROOT / "resources"
TABLES = ("lang1", "lang2", "lang3")

BOM = b"\xff\xfe"
ENTRY = re.compile(r'^"(?P<key>[^"=]+)=(?P<value>[^"]*)"$')


def check_source(name, lines):
    problems = []
    if not lines or lines[0] != f"[{name}]":
        problems.append(f"first line must be [{name}]")
    seen = set()
    for number, line in enumerate(lines[1:], start=2):
        match = ENTRY.match(line)
        if not match:
            problems.append(f"line {number}: not a quoted key=value entry: {line!r}")
            continue
        key = match.group("key")
        if key in seen:
            problems.append(f"line {number}: key {key} appears twice")
        seen.add(key)
    return problems


def encode(name):
    source = SOURCE_DIR / f"{name}.utf8.ini"
    lines = source.read_text(encoding="utf-8").splitlines()
    problems = check_source(name, lines)
    if problems:
        for problem in problems:
            print(f"{source}: {problem}", file=sys.stderr)
        sys.exit(1)
    text = "".join(line + "\r\n" for line in lines)
    return BOM + text.encode("utf-16-le")


def main():
    check_only = "--check" in sys.argv[1:]
    stale = []
    for name in TABLES:
        data = encode(name)
        target = RESOURCE_DIR / f"{name}.ini"
        if check_only:
            if not target.exists() or target.read_bytes() != data:
                stale.append(str(target))
        else:
            target.write_bytes(data)
    if stale:
        print("stale, rerun tools/make_language_tables.py: " + ", ".join(stale), file=sys.stderr)
        sys.exit(1)


if __name__ == "__main__":
    main()

#!/usr/bin/env python3
"""Checks the built help file against what the program opens in it.

The program names its topics and window types in src/win32/help.h (for example
"::/index.html>MainWindow"). The file must hold each page, define each window
type with that page as its default, and hold every file that its pages link to.

Usage: help_file_check.py CHMLS QUILLMOTH_CHM HELP_HEADER
"""
import re
import struct
import subprocess
import sys
import tempfile
from pathlib import Path


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def chmls(tool, *arguments):
    done = subprocess.run([tool, *arguments], capture_output=True, text=True)
    if done.returncode != 0:
        fail(f"chmls {' '.join(arguments)} failed: {done.stderr.strip()}")
    return done.stdout


def extract(tool, chm, name, folder):
    target = Path(folder) / name.strip("/").replace("#", "_")
    chmls(tool, "extract", chm, name, str(target))
    if not target.exists():
        fail(f"{name} is not in the help file")
    return target.read_bytes()


def window_types(windows, strings):
    """The #WINDOWS records as {name: default page}: a count, the record size,
    then the records; names and pages are offsets into #STRINGS."""
    count, size = struct.unpack_from("<II", windows, 0)
    def text(offset):
        return strings[offset:strings.index(b"\0", offset)].decode("ascii")
    types = {}
    for index in range(count):
        record = 8 + index * size
        if struct.unpack_from("<I", windows, record)[0] != size:
            fail(f"window record {index} is malformed")
        name = text(struct.unpack_from("<I", windows, record + 0x08)[0])
        types[name] = text(struct.unpack_from("<I", windows, record + 0x68)[0])
    return types


def main():
    tool, chm, header = sys.argv[1:4]
    if not Path(chm).is_file():
        fail(f"{chm} was not built")

    opened = re.findall(r'L"::(/[^">]+)>([^"]+)"', Path(header).read_text())
    if len(opened) < 2:
        fail(f"the topics were not found in {header}")

    listing = chmls(tool, "-p", "-n", "list", chm)
    files = {line.strip() for line in listing.splitlines() if line.startswith("/")}

    with tempfile.TemporaryDirectory() as folder:
        types = window_types(extract(tool, chm, "/#WINDOWS", folder),
                             extract(tool, chm, "/#STRINGS", folder))
        for page, window in opened:
            if page not in files:
                fail(f"topic {page} is not in the help file")
            if window not in types:
                fail(f"window type {window} is not defined (defined: {sorted(types)})")
            if "/" + types[window] != page:
                fail(f"window type {window} shows {types[window]}, the program opens {page}")
            print(f"ok: {page} in window type {window}")

        # Every page's links and pictures are inside the file too.
        for page in sorted(name for name in files if name.endswith(".html")):
            html = extract(tool, chm, page, folder).decode("ascii")
            for link in re.findall(r'(?:href|src)="([^"]*)"', html):
                link = link.split("#")[0]
                if not link or ":" in link:
                    continue  # an anchor on the same page, or an address outside the file
                if "/" + link not in files:
                    fail(f"{page} refers to {link}, which is not in the help file")
    print(f"ok: {len(files)} files, window types {sorted(types)}")


main()
